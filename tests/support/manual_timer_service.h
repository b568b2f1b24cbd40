// A timer service whose clock only moves when told to, so a whole game can be
// played in milliseconds and every tick lands exactly where the test says.
#pragma once

#include <map>

#include "platform/interface/timer_service.h"

class ManualTimerService : public ITimerService {
 public:
  void SetSink(Sink sink) override { m_sink = std::move(sink); }
  UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs) override;
  BOOL KillTimer(UINT_PTR id) override;
  bool IsRunning(UINT_PTR id) const override { return m_timers.count(id) != 0; }
  UINT TimeLeftMs(UINT_PTR id) const override;

  // Moves the clock forward by `ms`, delivering every expiry on the way in
  // time order (timers started by a handler take part from then on).
  void Advance(long long ms);
  // Moves the clock to timer `id`'s next expiry and delivers it (and any
  // other expiry due by then).  Returns false when `id` is not running.
  bool FireNext(UINT_PTR id);

  long long Now() const { return m_now; }
  // While set, SetTimer refuses every request, as when the system has no
  // timers left.
  void SetRefuseAll(bool refuse) { m_refuseAll = refuse; }
  // Refuses only the next `count` requests.
  void RefuseNext(int count) { m_refuseNext = count; }

 private:
  struct Timer {
    UINT period;
    long long due;
  };
  bool DeliverOneDueBy(long long limit);

  Sink m_sink;
  std::map<UINT_PTR, Timer> m_timers;
  long long m_now = 0;
  bool m_refuseAll = false;
  int m_refuseNext = 0;
};
