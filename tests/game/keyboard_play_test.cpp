// Playing from the keyboard: typed numbers and the cursor keys swap through
// the same path as a drag, only while a drag would be taken, and their
// frames are drawn only for a player who uses them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/MyKelvoView.h"
#include "platform/interface/virtual_keys.h"
#include "sound/sound_ids.h"
#include "support/game_play.h"

namespace {

bool SameCall(const DrawCall& a, const DrawCall& b) {
  return a.kind == b.kind && a.rect == b.rect && a.text == b.text && a.color == b.color &&
         a.from == b.from && a.to == b.to;
}

// A game in its first swap period on 1 8 6 / 3 5 7 / 4 9 2 (cells 1 and 2,
// holding 1 and 8, are the magic exchange).
class KeyboardPlayTest : public ::testing::Test {
 protected:
  KeyboardPlayTest() = default;
  void SetUp() override {
    table.Enter();
    view.MakePuzzle(0, 0);
    table.host.Paint();
    ASSERT_EQ(view.m_nBeforeSum, 147);
    table.host.ClearRecorded();
    table.cues.Clear();
  }
  GameTable table;
  CMyKelvoView& view = table.view;
};

// What five rounds on seed 12345 leave behind: four magic swaps and, in
// round 4, one that only improves; by drag or typed (round 3 on the keypad).
struct FiveRounds {
  std::vector<std::vector<DrawCall>> swapCalls;  // what each swap drew
  std::vector<int> closingTicks;
  std::vector<std::string> afterLabels;
  std::vector<int> score, bonus;
  std::vector<UINT> cues;
};

FiveRounds PlayFiveRounds(bool typed) {
  FiveRounds out;
  GameTable table;
  table.Enter();
  for (int r = 1; r <= 5; ++r) {
    const auto pair =
        r == 4 ? FindExchange(table.view.m_nCell, [](int a, int b) { return a > 0 && a < b; })
               : FindMagicExchange(table.view.m_nCell);
    if (!pair) return out;
    const auto [p, q] = *pair;
    if (typed) {
      const UINT base = r == 3 ? VK_NUMPAD0 : UINT{'0'};
      table.Key(base + static_cast<UINT>(table.view.m_nCell[p]));
      table.host.ClearRecorded();
      table.Key(base + static_cast<UINT>(table.view.m_nCell[q]));
    } else {
      table.host.ClearRecorded();
      table.Drag(p, q);
    }
    out.swapCalls.push_back(table.Calls());
    out.closingTicks.push_back(table.RunOutSwapPeriod());
    out.afterLabels.push_back(table.view.m_strAfterLabel);
    table.Enter();
  }
  out.score.assign(table.view.m_nScore, table.view.m_nScore + 12);
  out.bonus.assign(table.view.m_nBonus, table.view.m_nBonus + 12);
  out.cues = table.cues.Ids();
  return out;
}

TEST(KeyboardSwapTest, TypedPairsScoreDrawAndCloseExactlyAsTheSameDrags) {
  const FiveRounds dragged = PlayFiveRounds(false);
  const FiveRounds typed = PlayFiveRounds(true);
  ASSERT_EQ(typed.swapCalls.size(), 5u);
  ASSERT_EQ(dragged.swapCalls.size(), 5u);
  for (int r = 0; r < 5; ++r) {
    SCOPED_TRACE(r + 1);
    const auto& a = typed.swapCalls[r];
    const auto& b = dragged.swapCalls[r];
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_TRUE(SameCall(a[i], b[i])) << i;
  }
  // Each round closes two ticks after its swap.
  EXPECT_EQ(typed.closingTicks, std::vector<int>(5, 2));
  EXPECT_EQ(dragged.closingTicks, typed.closingTicks);
  EXPECT_EQ(typed.afterLabels, dragged.afterLabels);
  EXPECT_EQ(typed.score, dragged.score);
  EXPECT_EQ(typed.bonus, dragged.bonus);
  EXPECT_EQ(typed.score[11], 430);
  EXPECT_EQ(typed.bonus[11], 30);
  EXPECT_EQ(typed.cues, dragged.cues);
  EXPECT_EQ(typed.cues, std::vector<UINT>(6, IDR_SOUND_GO));
}

TEST_F(KeyboardPlayTest, TheSameCellTwiceIsRefusedEscapeLetsGoSilentlyAndASwapMayFollow) {
  table.Key('1');
  table.Key('1');
  EXPECT_EQ(table.cues.Ids(), std::vector<UINT>{IDR_SOUND_REFUSED});
  EXPECT_EQ(view.m_nKeyPick, -1);
  // Space on the cursor's cell twice: the same drop on the same cell.
  table.Key(VK_SPACE);
  table.Key(VK_SPACE);
  EXPECT_EQ(table.cues.Count(IDR_SOUND_REFUSED), 2);
  table.Key('8');
  table.Key(VK_ESCAPE);
  EXPECT_EQ(view.m_nKeyPick, -1);
  EXPECT_EQ(table.cues.Count(IDR_SOUND_REFUSED), 2);
  EXPECT_EQ(view.m_nGameState, kStateSwapPeriod);
  EXPECT_EQ(view.m_nScore[11], 0);

  // After Escape, 2 picks afresh rather than dropping the 8 on it; then the
  // cursor, moved onto cell 1, swaps with Space.
  table.Key('6');
  table.Key(VK_ESCAPE);
  table.Key('8');
  table.Key(VK_LEFT);
  table.Key(VK_SPACE);
  EXPECT_EQ(view.m_nScore[1], 100);
  EXPECT_EQ(view.m_nAfterSum, 0);
  // No second swap in the round, by keys or otherwise.
  table.Key('3');
  table.Key('5');
  EXPECT_EQ(view.m_nScore[11], 100);
  EXPECT_EQ(view.m_nCell[3], 6);
}

TEST_F(KeyboardPlayTest, KeysOutsideAnOpenSwapPeriodAndTheNoughtDoNothing) {
  const auto expectIgnored = [&](const char* when) {
    SCOPED_TRACE(when);
    table.host.ClearRecorded();
    table.cues.Clear();
    int cells[10];
    std::copy(view.m_nCell, view.m_nCell + 10, cells);
    const int state = view.m_nGameState;
    for (UINT key : {UINT{'1'}, UINT{'8'}, UINT{'9'}, VK_NUMPAD0 + 2, VK_NUMPAD0 + 4, VK_SPACE,
                     VK_LEFT, VK_SPACE, VK_ESCAPE})
      table.Key(key);
    EXPECT_TRUE(table.Calls().empty());
    EXPECT_TRUE(table.cues.plays.empty());
    EXPECT_TRUE(std::equal(cells + 1, cells + 10, view.m_nCell + 1));
    EXPECT_EQ(view.m_nGameState, state);
    EXPECT_EQ(view.m_nKeyPick, -1);
  };
  table.Key('0');
  table.Key(VK_NUMPAD0);
  table.Key('8');
  table.Key('0');
  EXPECT_EQ(view.m_nKeyPick, 2);  // the 0 neither dropped nor let go

  // The countdown at 0: the period closes on the next tick.
  table.Key(VK_ESCAPE);
  while (view.m_nCountdown > 0) table.Tick();
  expectIgnored("countdown 0");
  table.Tick();
  expectIgnored("rest");
  for (int r = 2; r <= 10; ++r) {
    table.Enter();
    table.RunOutSwapPeriod();
  }
  expectIgnored("game over");
  GameTable idle;
  idle.Key('1');
  idle.Key('2');
  idle.Key(VK_SPACE);
  EXPECT_TRUE(idle.Calls().empty());
  EXPECT_TRUE(idle.cues.plays.empty());
}

TEST_F(KeyboardPlayTest, TheCursorStartsInTheCentreStopsAtTheEdgesAndPicksAreDroppedWithTheRound) {
  table.Key(VK_UP);
  EXPECT_EQ(view.m_nKeyCursor, 2);
  table.Key(VK_UP);
  table.Key(VK_LEFT);
  table.Key(VK_LEFT);
  table.Key(VK_LEFT);
  EXPECT_EQ(view.m_nKeyCursor, 1);
  for (int i = 0; i < 3; ++i) {
    table.Key(VK_DOWN);
    table.Key(VK_RIGHT);
  }
  EXPECT_EQ(view.m_nKeyCursor, 9);
  table.Key(VK_SPACE);
  EXPECT_EQ(view.m_nKeyPick, 9);

  // Cell 9 stays picked until the round runs out; round 2 starts without a
  // pick, so one number only picks again.
  table.RunOutSwapPeriod();
  EXPECT_EQ(view.m_nKeyPick, -1);
  table.Enter();
  ASSERT_EQ(view.m_nRound, 2);
  // Every round starts with the cursor in the centre, where a player who
  // cannot see it knows it is.
  table.Key(VK_RIGHT);
  EXPECT_EQ(view.m_nKeyCursor, 6);
  table.Key(static_cast<UINT>('0' + view.m_nCell[5]));
  EXPECT_EQ(view.m_nKeyPick, 5);
  EXPECT_EQ(view.m_nGameState, kStateSwapPeriod);
  EXPECT_EQ(view.m_nScore[11], 0);
}

}  // namespace
