#include "platform/window_system/x11_window_hints.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

#include "platform/window_system/x11_properties.h"

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

using MotifHints = std::array<std::uint32_t, 5>;

MotifHints HintsFor(WindowManagerFunctions functions) {
  const std::uint32_t allowed =
      (functions.move ? kMwmFuncMove : 0u) | (functions.close ? kMwmFuncClose : 0u);
  const std::uint32_t decorations =
      kMwmDecorBorder | kMwmDecorTitle | (functions.close ? kMwmDecorMenu : 0u);
  return {kMwmHintsFunctions | kMwmHintsDecorations, allowed, decorations, 0, 0};
}

// Writes a window's hints and writes them again whenever something else
// (Qt, on a change of the window's flags) has replaced them.
class MotifHintsKeeper : public QObject, public QAbstractNativeEventFilter {
 public:
  MotifHintsKeeper(QWidget* window, const MotifHints& hints)
      : QObject(window), m_window(window), m_hints(hints), m_atom(X11Atom("_MOTIF_WM_HINTS")) {
    QCoreApplication::instance()->installNativeEventFilter(this);
  }
  void SetHints(const MotifHints& hints) {
    m_hints = hints;
    Write();
  }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) return false;
    const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    if (notify->window != Window() || notify->atom != m_atom) return false;
    const std::vector<std::uint32_t> now = ReadX11Property(notify->window, m_atom);
    if (now != std::vector<std::uint32_t>(m_hints.begin(), m_hints.end())) Write();
    return false;
  }

 private:
  xcb_window_t Window() const { return static_cast<xcb_window_t>(m_window->internalWinId()); }
  void Write() {
    xcb_connection_t* connection = X11Connection();
    if (!connection || Window() == XCB_NONE) return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, Window(), m_atom, m_atom, 32,
                        static_cast<std::uint32_t>(m_hints.size()), m_hints.data());
    xcb_flush(connection);
  }

  QWidget* m_window;
  MotifHints m_hints;
  xcb_atom_t m_atom;
};
}  // namespace

void SetWindowManagerHints(QWidget* window, WindowManagerFunctions functions) {
  if (!X11Connection()) return;
  window->winId();  // the native window, so the hints go out before it is mapped
  for (QObject* child : window->children()) {
    if (auto* keeper = dynamic_cast<MotifHintsKeeper*>(child)) {
      keeper->SetHints(HintsFor(functions));
      return;
    }
  }
  (new MotifHintsKeeper(window, HintsFor(functions)))->SetHints(HintsFor(functions));
}
