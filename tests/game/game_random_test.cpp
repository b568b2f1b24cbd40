// Seeded random play: keys (those of keyboard play too), presses and
// releases anywhere, timer ticks on time and out of turn, refused timers,
// resizes and paints, in any order.  After every event the game must still
// make sense.
#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <string>

#include "game/MyKelvoView.h"
#include "platform/interface/virtual_keys.h"
#include "support/game_play.h"

namespace {

class RandomPlay {
 public:
  RandomPlay(std::uint32_t seed, bool keen)
      : m_rng(seed), m_keen(keen), m_table(1024, 700, nullptr, seed) {
    m_table.view.m_fnCurrentTime = [] { return std::int64_t{1700000000}; };
    // While a message box is open the clock may run on.
    m_table.modal.whileBoxOpen = [this] {
      if (Chance(30)) Clock().Advance(Between(0, 3000));
    };
  }

  void Step() {
    const int pick = Between(0, 99);
    if (pick < 14) {
      m_last = "Enter";
      m_table.Enter();
    } else if (pick < 16) {
      m_last = "F1";
      View().OnKeyDown(VK_F1, 1, 0);
    } else if (pick < 17) {
      m_last = "other key";
      View().OnKeyDown(static_cast<UINT>(Between(0, 255)), static_cast<UINT>(Between(0, 50)), 0);
    } else if (pick < 23) {
      // Keyboard play: a number of either row, an arrow, Space or Escape;
      // the pause and the swap period's keys.
      const UINT keys[] = {
          '0',     '1',      '5',         '9',         VK_NUMPAD0 + 3, VK_NUMPAD0 + 7,
          VK_LEFT, VK_UP,    VK_RIGHT,    VK_DOWN,     VK_SPACE,       VK_ESCAPE,
          'H',     VK_PAUSE, VK_OEM_PLUS, VK_OEM_MINUS};
      const UINT key = keys[Between(0, 15)];
      m_last = "play key " + std::to_string(key);
      View().OnKeyDown(key, 1, 0);
    } else if (pick < 30) {
      m_last = "press";
      View().OnLButtonDown(MK_LBUTTON, SomePoint());
    } else if (pick < 44) {
      m_last = "release";
      View().OnLButtonUp(0, SomePoint());
    } else if (pick < 46) {
      m_last = "right press";
      View().OnRButtonDown(MK_RBUTTON, SomePoint());
    } else if (pick < (m_keen ? 60 : 50)) {
      const bool typed = Chance(50);
      m_last = typed ? "typed magic swap" : "magic swap";
      // A typed swap first lets go of any pick the random keys left.
      if (typed) View().OnKeyDown(VK_ESCAPE, 1, 0);
      m_table.SwapToMagic(typed);
    } else if (pick < 70) {
      m_last = "advance";
      Clock().Advance(Between(1, Chance(20) ? 16000 : 400));
    } else if (pick < 78) {
      m_last = "tick 1";
      Clock().FireNext(kSwapTimer);
    } else if (pick < 82) {
      m_last = "tick 2";
      Clock().FireNext(kRestTimer);
    } else if (pick < 86) {
      // Events that arrive out of turn, as a late or foreign timer message.
      const UINT_PTR ids[] = {kSwapTimer, kRestTimer, 7};
      const UINT_PTR id = ids[Between(0, 2)];
      m_last = "stray timer " + std::to_string(id);
      View().OnTimer(id);
    } else if (pick < 88) {
      m_last = "refuse next timer";
      Clock().RefuseNext(1);
    } else if (pick < 91) {
      m_last = "resize";
      const int w = Chance(20) ? Between(0, 80) : Between(300, 2000);
      const int h = Chance(20) ? Between(0, 80) : Between(200, 1400);
      m_table.host.Resize(w, h);
    } else if (pick < 96) {
      m_last = "paint";
      m_table.host.Paint();
    } else if (pick < 97) {
      m_last = "sound switch";
      View().m_bSound = View().m_bSound ? FALSE : TRUE;
    } else {
      m_last = "idle";
    }
    m_table.host.ClearRecorded();
    if (View().m_nGameState != kStateIdle) m_started = true;
  }

  void CheckInvariants() {
    const CMyKelvoView& v = m_table.view;
    SCOPED_TRACE("after " + m_last);
    ASSERT_GE(v.m_nGameState, kStateIdle);
    ASSERT_LE(v.m_nGameState, kStateGameOver);
    ASSERT_GE(v.m_nCountdown, 0);
    ASSERT_LE(v.m_nCountdown, 100);
    if (m_started) {
      ASSERT_TRUE(IsPermutationOfOneToNine(v.m_nCell));
    }
    if (v.m_nGameState != kStateIdle) {
      ASSERT_GE(v.m_nRound, 1);
      ASSERT_LE(v.m_nRound, 10);
    }
    ASSERT_EQ(v.m_nScore[11], std::accumulate(v.m_nScore + 1, v.m_nScore + 11, 0));
    ASSERT_EQ(v.m_nBonus[11], std::accumulate(v.m_nBonus + 1, v.m_nBonus + 11, 0));
    for (int r = 1; r <= 10; ++r) {
      ASSERT_TRUE(v.m_nScore[r] == 0 || v.m_nScore[r] == 30 || v.m_nScore[r] == 100);
    }
    ASSERT_LE(v.m_nBonus[11], 5110);
    // A pick lives only in an open swap period of a game played by keys.
    ASSERT_GE(v.m_nKeyCursor, 1);
    ASSERT_LE(v.m_nKeyCursor, 9);
    if (v.m_nKeyPick != -1) {
      ASSERT_TRUE(v.m_bKeysUsed);
      ASSERT_EQ(v.m_nGameState, kStateSwapPeriod);
      ASSERT_GE(v.m_nKeyPick, 1);
      ASSERT_LE(v.m_nKeyPick, 9);
    }
    ASSERT_LE(v.m_nScore[11] + v.m_nBonus[11], 6110);

    // Which timers run follows from the state: no game, no timer; a swap
    // period, the countdown; a rest, either the countdown still closing a
    // swapped round or the rest timer, never both.
    const bool swapTimer = m_table.host.Clock().IsRunning(kSwapTimer);
    const bool restTimer = m_table.host.Clock().IsRunning(kRestTimer);
    // Paused, in a game, with every timer stopped.
    if (v.m_bPaused) {
      ASSERT_TRUE(v.m_nGameState == kStateSwapPeriod || v.m_nGameState == kStateRest);
      ASSERT_FALSE(swapTimer || restTimer);
      return;
    }
    switch (v.m_nGameState) {
      case kStateIdle:
      case kStateGameOver:
        ASSERT_FALSE(swapTimer || restTimer);
        break;
      case kStateSwapPeriod:
        ASSERT_TRUE(swapTimer && !restTimer);
        break;
      case kStateRest:
        ASSERT_NE(swapTimer, restTimer);
        if (swapTimer) {
          ASSERT_LE(v.m_nCountdown, 1);
        }
        break;
    }
  }

  CMyKelvoView& View() { return m_table.view; }
  const CMyKelvoView& View() const { return m_table.view; }
  ManualTimerService& Clock() { return m_table.host.Clock(); }
  int GamesEnded() const { return m_gamesEnded; }
  int PerfectGames() const { return m_perfect; }

  void CountEnd(int stateBefore) {
    if (stateBefore != kStateGameOver && View().m_nGameState == kStateGameOver) {
      ++m_gamesEnded;
      if (View().m_nBonus[11] == 5110) ++m_perfect;
    }
  }

 private:
  int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
  bool Chance(int percent) { return Between(0, 99) < percent; }
  CPoint SomePoint() {
    if (Chance(50)) {
      const int cell = Between(1, 9);
      if (Chance(70)) return CellCentre(View(), cell);
      const RECT& r = View().m_rcCell[cell];
      return {Chance(50) ? r.right : r.left - 1, Chance(50) ? r.bottom : r.top};
    }
    return {Between(-3000, 3000), Between(-3000, 3000)};
  }

  std::mt19937 m_rng;
  bool m_keen;
  GameTable m_table;
  std::string m_last = "start";
  bool m_started = false;
  int m_gamesEnded = 0;
  int m_perfect = 0;
};

TEST(GameRandomTest, InvariantsHoldThroughManySeededSequences) {
  int gamesEnded = 0;
  for (std::uint32_t seed = 1; seed <= 60; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    // Half the players go for the magic swap at every chance.
    RandomPlay play(seed, seed % 2 == 0);
    for (int step = 0; step < 600; ++step) {
      const int stateBefore = play.View().m_nGameState;
      play.Step();
      play.CountEnd(stateBefore);
      play.CheckInvariants();
      if (::testing::Test::HasFatalFailure()) return;
    }
    gamesEnded += play.GamesEnded();
  }
  // The sequences do reach the end of games, so the checks cover it too.
  EXPECT_GT(gamesEnded, 5);
}

TEST(GameRandomTest, KeenPlayerWhoNeverMissesAlwaysMakesThePerfectGame) {
  for (std::uint32_t seed = 100; seed < 110; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    GameTable table(1024, 700, nullptr, seed);
    std::mt19937 rng(seed);
    table.Enter();
    while (table.view.m_nGameState != kStateGameOver) {
      // Some time passes first, some noise on the way, then the swap.
      table.host.Clock().Advance(std::uniform_int_distribution<int>(0, 9000)(rng));
      table.view.OnKeyDown(VK_RETURN, 1, 0);
      table.view.OnLButtonUp(0, {-1, -1});
      table.view.OnKeyDown(VK_DOWN, 1, 0);
      // Half the players type their swaps.
      table.SwapToMagic(seed % 2 == 0);
      table.Enter();         // too early to replay the round: kept for the close
      table.TypeSwap(1, 2);  // nor may a second swap score it twice
      // The two ticks that close the period; the kept Enter starts the next
      // round (or, after round 10, nothing).
      table.Tick();
      table.Tick();
      table.host.ClearRecorded();
    }
    EXPECT_EQ(table.view.m_nScore[11], 1000);
    EXPECT_EQ(table.view.m_nBonus[11], 5110);
  }
}

}  // namespace
