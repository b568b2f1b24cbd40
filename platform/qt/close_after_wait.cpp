#include "platform/qt/close_after_wait.h"

#include <QApplication>

#include "platform/window_system/x11_properties.h"

namespace {
QPointer<CloseAfterWait> g_keeping;
}  // namespace

void CloseAfterWait::Begin(QWidget* window) {
  if (g_keeping) return;
  g_keeping = new CloseAfterWait(window);
  // Qt deletes it only once control is back in the loop running now, so
  // after the command that waits, and any message box it shows, are over.
  g_keeping->deleteLater();
}

CloseAfterWait::CloseAfterWait(QWidget* window) : m_window(window) {
  window->installEventFilter(this);
  qApp->installNativeEventFilter(this);
}

CloseAfterWait::~CloseAfterWait() {
  qApp->removeNativeEventFilter(this);
  if (m_requested && m_window) m_window->close();
}

// Wayland's close arrives during the wait.
bool CloseAfterWait::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_window || event->type() != QEvent::Close || !event->spontaneous()) return false;
  m_requested = true;
  event->ignore();
  return true;
}

// X11's close, and Alt+F4 with no window manager, come after the wait, held
// back with the other input; Qt would drop them while a message box blocks
// the window.
bool CloseAfterWait::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (!m_window || eventType != "xcb_generic_event_t" ||
      !IsX11CloseRequest(message, static_cast<xcb_window_t>(m_window->internalWinId())))
    return false;
  m_requested = true;
  return true;
}
