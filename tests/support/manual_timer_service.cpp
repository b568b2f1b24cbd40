#include "support/manual_timer_service.h"

UINT_PTR ManualTimerService::SetTimer(UINT_PTR id, UINT elapseMs) {
  if (m_refuseAll || id == 0) return 0;
  if (m_refuseNext > 0) {
    --m_refuseNext;
    return 0;
  }
  // A zero period would fire forever at one instant; like the system, treat
  // it as the shortest period there is.
  const UINT period = elapseMs == 0 ? 1 : elapseMs;
  m_timers[id] = Timer{period, m_now + period};
  return id;
}

BOOL ManualTimerService::KillTimer(UINT_PTR id) { return m_timers.erase(id) ? TRUE : FALSE; }

UINT ManualTimerService::TimeLeftMs(UINT_PTR id) const {
  auto it = m_timers.find(id);
  return it == m_timers.end() ? 0 : static_cast<UINT>(it->second.due - m_now);
}

bool ManualTimerService::DeliverOneDueBy(long long limit) {
  auto next = m_timers.end();
  for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
    if (it->second.due <= limit && (next == m_timers.end() || it->second.due < next->second.due))
      next = it;
  }
  if (next == m_timers.end()) return false;
  const UINT_PTR id = next->first;
  m_now = next->second.due;
  next->second.due += next->second.period;
  if (m_sink) m_sink(id);
  return true;
}

void ManualTimerService::Advance(long long ms) {
  const long long target = m_now + ms;
  while (DeliverOneDueBy(target)) {
  }
  m_now = target;
}

bool ManualTimerService::FireNext(UINT_PTR id) {
  auto it = m_timers.find(id);
  if (it == m_timers.end()) return false;
  Advance(it->second.due - m_now);
  return true;
}
