// Time enters the game only through this service: the window's timers.
// The real one runs on Qt's precise timers; tests use ManualTimerService and
// move the clock by hand.
#pragma once

#include <functional>

#include "platform/interface/win_types.h"

class ITimerService {
 public:
  using Sink = std::function<void(UINT_PTR id)>;
  virtual ~ITimerService() = default;

  // Where expiries go (the view's OnTimer).
  virtual void SetSink(Sink sink) = 0;
  // Starts (or restarts) timer `id` with period `elapseMs`.  Returns `id`,
  // or 0 when no timer can be had.
  virtual UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs) = 0;
  // Stops timer `id`; FALSE when it was not running.
  virtual BOOL KillTimer(UINT_PTR id) = 0;
  virtual bool IsRunning(UINT_PTR id) const = 0;
  // How long until timer `id` next expires, in milliseconds; 0 when it is
  // not running.  (A paused rest goes on for what it had left.)
  virtual UINT TimeLeftMs(UINT_PTR id) const = 0;
};
