#include "platform/x11_window_hints.h"

#include <QtGui/qguiapplication_platform.h>

#include <QGuiApplication>
#include <QWidget>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef KELVO_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace {
// The Motif window-manager hints, which every common X11 window manager
// reads: which functions the user may apply and which decorations to draw.
constexpr std::uint32_t kMwmHintsFunctions = 1u << 0;
constexpr std::uint32_t kMwmHintsDecorations = 1u << 1;
constexpr std::uint32_t kMwmFuncMove = 1u << 2;
constexpr std::uint32_t kMwmFuncClose = 1u << 5;
constexpr std::uint32_t kMwmDecorBorder = 1u << 1;
constexpr std::uint32_t kMwmDecorTitle = 1u << 3;
constexpr std::uint32_t kMwmDecorMenu = 1u << 4;
}  // namespace

void SetWindowManagerHints([[maybe_unused]] QWidget* window,
                           [[maybe_unused]] WindowManagerFunctions functions) {
#ifdef KELVO_HAVE_XCB
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return;
  xcb_connection_t* connection = x11->connection();
  const char* const name = "_MOTIF_WM_HINTS";
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      connection,
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  if (!atom) return;
  const std::uint32_t allowed =
      (functions.move ? kMwmFuncMove : 0u) | (functions.close ? kMwmFuncClose : 0u);
  const std::uint32_t decorations =
      kMwmDecorBorder | kMwmDecorTitle | (functions.close ? kMwmDecorMenu : 0u);
  const std::array<std::uint32_t, 5> hints = {kMwmHintsFunctions | kMwmHintsDecorations, allowed,
                                              decorations, 0, 0};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()),
                      atom->atom, atom->atom, 32, static_cast<std::uint32_t>(hints.size()),
                      hints.data());
  std::free(atom);
  xcb_flush(connection);
#endif
}
