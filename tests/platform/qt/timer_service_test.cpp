// The window's real timers, used as the round flow uses them: expiries reach
// the view with the game's own id, setting a running timer again replaces
// it, and a timer stopped from its own expiry stays stopped.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>
#include <vector>

#include "platform/qt/qt_timer_service.h"

namespace {

// Runs the event loop until `done` (at most five seconds), then `moreMs`
// longer for anything that should not come.
void RunEventsUntil(const std::function<bool()>& done, int moreMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 5000) QCoreApplication::processEvents();
  clock.restart();
  while (clock.elapsed() < moreMs) QCoreApplication::processEvents();
}

TEST(QtTimerService, ExpiriesReachTheSinkWithTheGameIdUntilKilled) {
  QtTimerService timers;
  std::vector<UINT_PTR> fired;
  timers.SetSink([&](UINT_PTR id) { fired.push_back(id); });
  ASSERT_EQ(timers.SetTimer(7, 1), 7u);
  RunEventsUntil([&] { return fired.size() >= 3; }, 0);
  ASSERT_GE(fired.size(), 3u);
  EXPECT_EQ(fired, std::vector<UINT_PTR>(fired.size(), 7u));
  EXPECT_TRUE(timers.KillTimer(7));
  EXPECT_FALSE(timers.KillTimer(7));
  const std::size_t count = fired.size();
  RunEventsUntil([] { return true; }, 20);
  EXPECT_EQ(fired.size(), count);
}

TEST(QtTimerService, SettingARunningTimerAgainReplacesItAndAKillFromItsOwnExpiryHolds) {
  QtTimerService timers;
  std::vector<UINT_PTR> fired;
  timers.SetSink([&](UINT_PTR id) {
    fired.push_back(id);
    if (id == 2) timers.KillTimer(2);
  });
  ASSERT_EQ(timers.SetTimer(1, 1), 1u);
  // The round flow restarts a running timer; its old 1 ms period must go.
  ASSERT_EQ(timers.SetTimer(1, 100000), 1u);
  ASSERT_EQ(timers.SetTimer(2, 1), 2u);
  RunEventsUntil([&] { return !fired.empty(); }, 30);
  EXPECT_EQ(fired, std::vector<UINT_PTR>{2});
  EXPECT_TRUE(timers.IsRunning(1));
  EXPECT_FALSE(timers.IsRunning(2));
  // What is left of a period (a paused rest goes on for it): at most the
  // period, nothing for a timer stopped.
  EXPECT_LE(timers.TimeLeftMs(1), 100000u);
  EXPECT_GT(timers.TimeLeftMs(1), 90000u);
  EXPECT_EQ(timers.TimeLeftMs(2), 0u);
}

}  // namespace
