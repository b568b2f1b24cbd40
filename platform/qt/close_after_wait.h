// The main window's close asked for while a file call is waited for -- the
// window manager's close or Alt+F4, arriving during the wait, or held back
// with the other input until just after it, when the call's message may
// already block the window -- is carried out once the command that waited
// is over and the window is back in its own loop: neither inside the wait
// nor lost behind the message.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>
#include <QWidget>

class CloseAfterWait : public QObject, public QAbstractNativeEventFilter {
 public:
  // Keeps the requests to close `window` from now until the program is back
  // in the event loop it is in now.
  static void Begin(QWidget* window);

 private:
  explicit CloseAfterWait(QWidget* window);
  ~CloseAfterWait() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  QPointer<QWidget> m_window;
  bool m_requested = false;
};
