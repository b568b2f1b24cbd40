// Keeps a top-level window filling its screen's available area, the way the
// game's main window is meant to be: maximized, never moved or resized.
// On X11 the window is placed over the available area (X11WindowPlacer),
// since window managers disagree on maximizing a window without a maximize
// or resize function; elsewhere (Wayland, where a client cannot place
// itself) it asks for the maximized state, and asks again whenever it loses
// it.  When the available area changes (a panel appears), or the window
// moves to another screen, the window follows.
#pragma once

#include <QObject>

class QScreen;
class QWidget;
class X11WindowPlacer;

class ScreenFiller : public QObject {
 public:
  explicit ScreenFiller(QWidget* window);
  // Shows the window over the available area and starts keeping it there.
  void Show();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void WatchScreen();
  void OnScreenChanged(QScreen* screen);

  QWidget* m_window;
  X11WindowPlacer* m_x11 = nullptr;
  int m_maximizeRequests = 0;
};
