// What the X11 window managers are told about the main window beyond what Qt
// says: Qt always allows moving and resizing and leaves the decorations to
// the window manager, which then adds minimize and maximize buttons.
#pragma once

class QWidget;

struct WindowManagerFunctions {
  bool move = false;
  bool close = false;
};

// A caption and a thin border, no minimize, maximize or resize, and only the
// functions asked for (with `close`, the caption's close box).  Does nothing
// on other platforms.
void SetWindowManagerHints(QWidget* window, WindowManagerFunctions functions);
