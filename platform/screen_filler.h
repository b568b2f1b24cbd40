// Keeps a top-level window filling its screen's available area, the way the
// game's main window is meant to be: maximized, never moved or resized.
// Window managers differ: some maximize a window without a maximize button,
// some refuse to, and some let a restore or resize through anyway.  On X11
// the filler places the window over the available area itself; elsewhere
// (Wayland, where a client cannot place itself) it asks for the maximized
// state.  Whenever the window is moved, resized or restored, or the
// available area changes (a panel appears), it puts the window back at once.
#pragma once

#include <QObject>
#include <QTimer>

class QScreen;
class QWidget;

class ScreenFiller : public QObject {
 public:
  explicit ScreenFiller(QWidget* window);
  // Shows the window maximized and starts keeping it there.
  void Show();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Check();
  void WatchScreen();
  void OnScreenChanged(QScreen* screen);
  void OnAreaChanged();

  QWidget* m_window;
  QTimer m_check;
  int m_attempts = 0;
  bool m_placingByHand = false;
};
