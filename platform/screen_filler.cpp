#include "platform/screen_filler.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "platform/x11_window_hints.h"

namespace {
// Long enough for a window manager to finish what it is doing (a restore, a
// resize, a maximize request), short enough that the window is back before
// the player can use it.
constexpr int kSettleMs = 60;
// A window manager that keeps refusing is not asked forever.
constexpr int kMaxAttempts = 8;
// How much smaller than the available area the window is first mapped: more
// than any window frame adds.
constexpr int kMapShrink = 64;
}  // namespace

ScreenFiller::ScreenFiller(QWidget* window) : QObject(window), m_window(window) {
  m_check.setSingleShot(true);
  m_check.setInterval(kSettleMs);
  connect(&m_check, &QTimer::timeout, this, &ScreenFiller::Check);
  window->installEventFilter(this);
}

void ScreenFiller::Show() {
  m_window->winId();  // the native window, so its hints go out before it is mapped
  // Closing stays allowed so that the window manager's own close (a panel's
  // menu, its key) ends the game as Alt+F4 does.
  SetWindowManagerHints(m_window, {.move = false, .close = true});
  WatchScreen();
  // On X11 the window has no maximize function (see x11_window_hints.h),
  // and window managers disagree on maximizing such a window: xfwm4 keeps
  // the state but not the size, and then refuses to move it at all.  There
  // the window is placed over the available area by hand from the start;
  // elsewhere (Wayland) it asks for the maximized state.
  m_placingByHand = QGuiApplication::platformName() == QLatin1String("xcb");
  if (m_placingByHand) {
    // Mapped a little smaller than the area, since a window manager that
    // finds a new window as large as the screen may mark it maximized and
    // then hold it where it first put it; the first check, once the frame
    // the window manager adds is known, fits it exactly.
    if (QScreen* screen = m_window->screen())
      m_window->setGeometry(screen->availableGeometry().adjusted(0, 0, -kMapShrink, -kMapShrink));
    m_window->show();
  } else {
    m_window->showMaximized();
  }
  m_check.start();
}

void ScreenFiller::WatchScreen() {
  QWindow* handle = m_window->windowHandle();
  if (!handle) return;
  connect(handle, &QWindow::screenChanged, this, &ScreenFiller::OnScreenChanged);
  OnScreenChanged(handle->screen());
}

void ScreenFiller::OnScreenChanged(QScreen* screen) {
  if (screen)
    connect(screen, &QScreen::availableGeometryChanged, this, &ScreenFiller::OnAreaChanged,
            Qt::UniqueConnection);
  OnAreaChanged();
}

void ScreenFiller::OnAreaChanged() {
  m_attempts = 0;
  m_check.start();
}

bool ScreenFiller::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_window) {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::WindowStateChange:
        if (m_window->isVisible()) m_check.start();
        break;
      default:
        break;
    }
  }
  return QObject::eventFilter(watched, event);
}

void ScreenFiller::Check() {
  if (!m_window->isVisible() || m_window->isMinimized()) return;
  if (!m_placingByHand) {
    // The compositor decides what maximized means (a Wayland one may keep
    // a panel's strip and tells no client about it); the window only asks
    // to be maximized again whenever it is not.
    if (!m_window->isMaximized() && ++m_attempts <= kMaxAttempts) {
      m_window->setWindowState((m_window->windowState() & ~Qt::WindowFullScreen) |
                               Qt::WindowMaximized);
      m_check.start();
    } else if (m_window->isMaximized()) {
      m_attempts = 0;
    }
    return;
  }
  QScreen* screen = m_window->screen();
  if (!screen) return;
  const QRect target = screen->availableGeometry();
  if (m_window->frameGeometry() == target) {
    m_attempts = 0;
    return;
  }
  if (++m_attempts > kMaxAttempts) return;
  // The client area goes inside the frame the window manager draws.
  const QRect frame = m_window->frameGeometry();
  const QRect client = m_window->geometry();
  const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                         frame.right() - client.right(), frame.bottom() - client.bottom());
  const QRect placed = target.marginsRemoved(margins);
  // The size hints say the window cannot be resized (so window managers
  // offer no resize and, in openbox's case, no maximize either).
  m_window->setFixedSize(placed.size());
  m_window->setGeometry(placed);
  m_check.start();
}
