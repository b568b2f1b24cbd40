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
