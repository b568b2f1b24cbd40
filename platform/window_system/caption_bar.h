// The window's caption drawn by the game itself, for window systems that
// draw none (Wayland compositors without server-side decorations, such as
// GNOME's and Weston).  It shows the window's title in a strip above the menu
// bar and does nothing else: no buttons, no menu, and dragging or
// double-clicking it neither moves, restores nor resizes the window.
#pragma once

#include <QWidget>

class CaptionBar : public QWidget {
 public:
  // Takes the top of `window` (its contents move down below the strip) and
  // follows the window's title and active state from then on.
  explicit CaptionBar(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  // Swallowed, so that no press or double-click reaches the window.
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void FitToWindow();

  QWidget* m_window;
};
