#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <vector>

#include "platform/qt_timer_service.h"
#include "support/manual_timer_service.h"

TEST(ManualTimerService, DeliversExpiriesInTimeOrderAndKeepsPeriods) {
  ManualTimerService timers;
  std::vector<std::pair<long long, UINT_PTR>> fired;
  timers.SetSink([&](UINT_PTR id) { fired.emplace_back(timers.Now(), id); });
  ASSERT_EQ(timers.SetTimer(1, 100), 1u);
  ASSERT_EQ(timers.SetTimer(2, 250), 2u);
  timers.Advance(500);
  const std::vector<std::pair<long long, UINT_PTR>> expected = {
      {100, 1}, {200, 1}, {250, 2}, {300, 1}, {400, 1}, {500, 1}, {500, 2}};
  EXPECT_EQ(fired, expected);
  EXPECT_EQ(timers.Now(), 500);
}

TEST(ManualTimerService, KillingInsideAHandlerStopsFurtherTicksAndRestartResets) {
  ManualTimerService timers;
  int ticks = 0;
  timers.SetSink([&](UINT_PTR id) {
    ++ticks;
    if (ticks == 3) timers.KillTimer(id);
  });
  timers.SetTimer(1, 100);
  timers.Advance(1000);
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(timers.IsRunning(1));
  EXPECT_FALSE(timers.KillTimer(1));

  // Setting a running timer again starts its period afresh.
  timers.SetTimer(1, 100);
  timers.Advance(50);
  timers.SetTimer(1, 100);
  timers.Advance(60);
  EXPECT_EQ(ticks, 3);
  EXPECT_TRUE(timers.FireNext(1));
  EXPECT_EQ(ticks, 4);
  EXPECT_EQ(timers.Now(), 1150);
}

TEST(ManualTimerService, RefusesWhenToldLikeASystemWithoutTimers) {
  ManualTimerService timers;
  timers.RefuseNext(1);
  EXPECT_EQ(timers.SetTimer(1, 100), 0u);
  EXPECT_EQ(timers.SetTimer(1, 100), 1u);
  timers.SetRefuseAll(true);
  EXPECT_EQ(timers.SetTimer(2, 100), 0u);
  EXPECT_FALSE(timers.IsRunning(2));
}

TEST(QtTimerService, RealTimersReachTheSinkWithTheGameId) {
  QtTimerService timers;
  std::vector<UINT_PTR> fired;
  timers.SetSink([&](UINT_PTR id) { fired.push_back(id); });
  ASSERT_EQ(timers.SetTimer(7, 1), 7u);
  QElapsedTimer clock;
  clock.start();
  while (fired.size() < 3 && clock.elapsed() < 5000) QCoreApplication::processEvents();
  ASSERT_GE(fired.size(), 3u);
  EXPECT_EQ(fired.front(), 7u);
  EXPECT_TRUE(timers.KillTimer(7));
  const std::size_t count = fired.size();
  QCoreApplication::processEvents();
  EXPECT_EQ(fired.size(), count);
}
