// The length of a round's swap period.  Ten seconds unless a player asks
// for more (a screen reader takes seconds to read the square out): the
// countdown still runs from 99 to 0 in 100 ticks, each tick longer.
#pragma once

#include "platform/interface/win_types.h"

constexpr int kDefaultSwapSeconds = 10;
constexpr int kMinSwapSeconds = 10;
constexpr int kMaxSwapSeconds = 600;
constexpr int kSwapPeriodTicks = 100;

// The tick of a period of `seconds`: 100 ms for the default ten seconds.
constexpr UINT SwapTickMs(int seconds) {
  return static_cast<UINT>(seconds) * 1000u / kSwapPeriodTicks;
}

// The periods the plus and minus keys step through between games; the last
// is long enough to leave a player practically untimed.
constexpr int kSwapSecondsSteps[] = {10, 20, 30, 60, 120, 600};

// The step after `seconds` upwards (direction > 0) or downwards; `seconds`
// itself at either end.  A period between two steps (given on the command
// line) goes to the nearer step that way.
constexpr int NextSwapSecondsStep(int seconds, int direction) {
  int next = seconds;
  for (const int step : kSwapSecondsSteps) {
    if (direction > 0 && step > seconds) return step;
    if (direction < 0 && step < seconds) next = step;
  }
  return next;
}
