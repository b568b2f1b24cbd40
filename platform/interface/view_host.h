// What a view needs of the window that shows it: the client area's size, a
// surface on it between paints, timers, the main window's caption, and a
// repaint.  The Qt widget host and the headless host (tests, screenshots,
// benchmarks, fuzzing) both provide it.
#pragma once

#include <memory>
#include <string>

#include "platform/interface/dc.h"
#include "platform/interface/timer_service.h"
#include "platform/interface/win_types.h"

class IViewHost {
 public:
  virtual ~IViewHost() = default;
  // Left and top are always 0.
  virtual RECT ClientRect() const = 0;
  // A surface on the client area for the length of one event.  What is drawn
  // on it stays on screen until the next paint.
  virtual std::unique_ptr<CDC> OpenClientDC() = 0;
  // Hands the surface back; its drawing is shown at once.
  virtual void CloseClientDC(std::unique_ptr<CDC> dc) = 0;
  virtual ITimerService& Timers() = 0;
  virtual void SetCaption(const std::string& text) = 0;
  // Asks for a paint: the client area is erased to white and OnDraw runs.
  virtual void Invalidate() = 0;
  // Whether a paint was asked for (Invalidate, a resize) and has not run yet.
  virtual bool PaintPending() const = 0;
  // Runs that paint now.
  virtual void PaintNow() = 0;
  // Passes `text` to a screen reader, to be said at once (a host without
  // one drops it).
  virtual void Announce(const std::string& /*text*/) {}
};
