// What the X11 window managers are told about the main window beyond what Qt
// says: Qt always allows moving and resizing and leaves the decorations to
// the window manager, which then adds minimize and maximize buttons.
#pragma once

class QWidget;

// A caption and a thin border, no buttons but what closing needs, and no
// move, resize, minimize or maximize.  Does nothing on other platforms.
void SetFixedWindowHints(QWidget* window);
