// What the X11 window managers are told about a window beyond what Qt says:
// Qt always allows moving and resizing and leaves the decorations to the
// window manager, which then adds minimize and maximize buttons.
//
// Qt writes the same property (_MOTIF_WM_HINTS) itself whenever a window's
// flags change, so the hints are kept: whenever the property turns into
// something else, it is written again at once.  A window's Qt flags may
// therefore be set before or after these hints, and neither undoes the other.
#pragma once

class QWidget;

struct WindowManagerFunctions {
  bool move = false;
  bool close = false;
};

// A caption and a thin border, no minimize, maximize or resize, and only the
// functions asked for (with `close`, the caption's close box).  Creates the
// native window if it does not exist yet, so the hints are in place before
// it is first shown.  Does nothing on other platforms.
void SetWindowManagerHints(QWidget* window, WindowManagerFunctions functions);
