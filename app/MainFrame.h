// The main window: the frame with the program's menu bar and accelerators
// around the game view.  It has a caption but no system menu, no minimize,
// maximize or close buttons, and starts maximized.
#pragma once

#include "platform/qt/frame_window.h"

class CMainFrame : public FrameWindow {
 public:
  explicit CMainFrame(CommandRouter& router);
  // The window's icon (drawn from its SVG, which takes a moment the first
  // frame need not wait for).
  void LoadIcon();
};
