// Small synchronous questions to the X server about window properties, for
// the few facts Qt does not pass on (frame extents, the window manager's
// state and hints).  Only meaningful on Qt's xcb platform.
#pragma once

#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/window_system/window_placement.h"

// Qt's connection to the X server; null on any other platform.
xcb_connection_t* X11Connection();
xcb_window_t X11RootWindow();

xcb_atom_t X11Atom(std::string_view name);

// The 32-bit values of a property (cardinals, atoms, window ids); empty if
// the window or the property does not exist.
std::vector<std::uint32_t> ReadX11Property(xcb_window_t window, xcb_atom_t property);

// Whether an EWMH window manager runs: the root names a check window that
// names itself (a stale name left by a window manager that died does not).
bool X11WindowManagerRuns();
bool X11WindowManagerSupports(xcb_atom_t hint);

// A client message about `window` to the window manager (through the root
// window, as EWMH asks).
void SendToWindowManager(xcb_window_t window, xcb_atom_t message,
                         const std::array<std::uint32_t, 5>& data = {});

// Whether `event`, as Qt hands it to native event filters, asks `window`
// to close: the window manager's WM_DELETE_WINDOW, or Alt+F4 pressed in it.
bool IsX11CloseRequest(const void* event, xcb_window_t window);

// The window's client area on the screen, in root coordinates, as the
// server has it now.
std::optional<PixelRect> X11ClientGeometry(xcb_window_t window);
// The frame the window manager has announced around the window
// (_NET_FRAME_EXTENTS); none before it has.
std::optional<FrameExtents> X11FrameExtents(xcb_window_t window);
