// The window's timers on Qt's precise timers: a 100 ms timer keeps its
// cadence (101 ticks take 10.1 s) instead of drifting with each tick's work.
#pragma once

#include <QObject>
#include <chrono>
#include <map>

#include "platform/interface/timer_service.h"

class QtTimerService : public QObject, public ITimerService {
 public:
  void SetSink(Sink sink) override { m_sink = std::move(sink); }
  UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs) override;
  BOOL KillTimer(UINT_PTR id) override;
  bool IsRunning(UINT_PTR id) const override { return m_byGameId.count(id) != 0; }
  UINT TimeLeftMs(UINT_PTR id) const override;

 protected:
  void timerEvent(QTimerEvent* event) override;

 private:
  Sink m_sink;
  std::map<UINT_PTR, int> m_byGameId;  // game timer id -> Qt timer id
  std::map<int, UINT_PTR> m_byQtId;
  // When each game timer was started and its period, to tell the time left
  // (Qt's timers do not).
  struct Started {
    std::chrono::steady_clock::time_point at;
    std::chrono::milliseconds period;
  };
  std::map<UINT_PTR, Started> m_started;
};
