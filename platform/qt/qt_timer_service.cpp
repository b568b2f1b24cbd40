#include "platform/qt/qt_timer_service.h"

#include <QTimerEvent>

UINT_PTR QtTimerService::SetTimer(UINT_PTR id, UINT elapseMs) {
  if (id == 0) return 0;
  // Setting a running timer again restarts it with the new period.
  KillTimer(id);
  const int qtId = startTimer(std::chrono::milliseconds(elapseMs), Qt::PreciseTimer);
  if (qtId == 0) return 0;
  m_byGameId[id] = qtId;
  m_byQtId[qtId] = id;
  m_started[id] = {std::chrono::steady_clock::now(), std::chrono::milliseconds(elapseMs)};
  return id;
}

BOOL QtTimerService::KillTimer(UINT_PTR id) {
  auto it = m_byGameId.find(id);
  if (it == m_byGameId.end()) return FALSE;
  killTimer(it->second);
  m_byQtId.erase(it->second);
  m_byGameId.erase(it);
  m_started.erase(id);
  return TRUE;
}

UINT QtTimerService::TimeLeftMs(UINT_PTR id) const {
  auto it = m_started.find(id);
  if (it == m_started.end() || it->second.period.count() <= 0) return 0;
  using std::chrono::duration_cast;
  using std::chrono::milliseconds;
  // The timer repeats: what is left of its current period.
  const auto elapsed =
      duration_cast<milliseconds>(std::chrono::steady_clock::now() - it->second.at);
  return static_cast<UINT>((it->second.period - elapsed % it->second.period).count());
}

void QtTimerService::timerEvent(QTimerEvent* event) {
  auto it = m_byQtId.find(event->timerId());
  if (it == m_byQtId.end()) return;
  if (m_sink) m_sink(it->second);
}
