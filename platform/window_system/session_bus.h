// Chooses the D-Bus session bus the game uses, before the application object
// exists.
//
// Qt reaches for the session bus as the window comes up (the accessibility
// bridge among others), and waits for it without a limit.  Where no session
// bus is known (no DBUS_SESSION_BUS_ADDRESS, nothing at $XDG_RUNTIME_DIR/bus),
// libdbus "autolaunches" one through dbus-launch on the X display, and that
// daemon stays behind after the game until the X server ends.
//
// A real bus is still used: the one the variable names, the one in the
// runtime directory (libdbus finds it itself), or one that another program
// already autolaunched on this X display (found the way dbus-launch finds it,
// and named in DBUS_SESSION_BUS_ADDRESS), once it has answered within
// `limit`.  Where there is none, or it took the connection and did not
// answer, the session bus is turned off for the game ("disabled:"): nothing
// is started, nothing waits, and the game goes on without one.
#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <string>

// `display`: an open connection to DISPLAY's X server where the caller has
// one, or null.  A line for the player when the bus found did not answer;
// empty otherwise.
std::string ChooseSessionBus(std::chrono::milliseconds limit, xcb_connection_t* display = nullptr);
