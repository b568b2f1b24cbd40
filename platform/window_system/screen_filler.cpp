#include "platform/window_system/screen_filler.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "platform/window_system/x11_properties.h"
#include "platform/window_system/x11_window_hints.h"
#include "platform/window_system/x11_window_placer.h"

namespace {
// A compositor that keeps refusing the maximized state is not asked forever.
constexpr int kMaxMaximizeRequests = 8;
}  // namespace

ScreenFiller::ScreenFiller(QWidget* window) : QObject(window), m_window(window) {
  window->installEventFilter(this);
}

void ScreenFiller::Show() {
  m_window->winId();
  // Closing stays allowed so that the window manager's own close (a panel's
  // menu, its key) ends the game as Alt+F4 does.
  SetWindowManagerHints(m_window, {.move = false, .close = true});
  if (X11Connection()) m_x11 = new X11WindowPlacer(m_window);
  WatchScreen();
  if (m_x11)
    m_x11->Show();
  else
    m_window->showMaximized();
}

void ScreenFiller::WatchScreen() {
  QWindow* handle = m_window->windowHandle();
  if (!handle) return;
  connect(handle, &QWindow::screenChanged, this, &ScreenFiller::OnScreenChanged);
  OnScreenChanged(handle->screen());
}

void ScreenFiller::OnScreenChanged(QScreen* screen) {
  if (screen && m_x11)
    connect(screen, &QScreen::availableGeometryChanged, m_x11, &X11WindowPlacer::Recheck,
            Qt::UniqueConnection);
  if (m_x11) m_x11->Recheck();
}

bool ScreenFiller::eventFilter(QObject* watched, QEvent* event) {
  // The compositor decides what maximized means (a Wayland one may keep a
  // panel's strip and tells no client about it); the window only asks to be
  // maximized again whenever it is not.
  if (watched == m_window && !m_x11 && event->type() == QEvent::WindowStateChange &&
      m_window->isVisible()) {
    if (m_window->isMaximized()) {
      m_maximizeRequests = 0;
    } else if (!m_window->isMinimized() && ++m_maximizeRequests <= kMaxMaximizeRequests) {
      QMetaObject::invokeMethod(
          m_window,
          [window = m_window] {
            window->setWindowState((window->windowState() & ~Qt::WindowFullScreen) |
                                   Qt::WindowMaximized);
          },
          Qt::QueuedConnection);
    }
  }
  return QObject::eventFilter(watched, event);
}
