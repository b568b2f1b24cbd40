// The swap and the scoring of a round: which drops are taken, what a taken
// one changes and draws, and the points and bonuses it earns.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "game/MyKelvoView.h"
#include "game/scoring.h"
#include "sound/sound_ids.h"
#include "support/game_play.h"

namespace {

struct Scores {
  int score[12] = {};
  int bonus[12] = {};
};

// Scores rounds 1.. in order: true a magic square, false a no-better swap.
Scores ScoreRun(const std::vector<bool>& magic) {
  Scores s;
  for (std::size_t i = 0; i < magic.size(); ++i)
    ScoreRound(static_cast<int>(i) + 1, magic[i] ? 0 : 50, 50, s.score, s.bonus);
  return s;
}

std::vector<int> Slots(const int values[12], int first, int last) {
  return std::vector<int>(values + first, values + last + 1);
}

TEST(ScoreRoundTest, TenMagicSquaresMakeThePerfectGame) {
  const Scores s = ScoreRun(std::vector<bool>(10, true));
  EXPECT_EQ(Slots(s.score, 1, 10), std::vector<int>(10, 100));
  EXPECT_EQ(Slots(s.bonus, 1, 10),
            (std::vector<int>{0, 10, 20, 40, 80, 160, 320, 640, 1280, 2560}));
  EXPECT_EQ(s.score[11], 1000);
  EXPECT_EQ(s.bonus[11], 5110);
}

TEST(ScoreRoundTest, AMissEndsTheRunAndTheNextRunStartsWithoutBonus) {
  const Scores s = ScoreRun({true, true, true, false, true, true});
  EXPECT_EQ(Slots(s.bonus, 1, 6), (std::vector<int>{0, 10, 20, 0, 0, 10}));
  EXPECT_EQ(Slots(s.score, 1, 6), (std::vector<int>{100, 100, 100, 0, 100, 100}));
  EXPECT_EQ(s.score[11], 500);
  EXPECT_EQ(s.bonus[11], 40);
}

TEST(ScoreRoundTest, ImprovementEarnsThirtyAndNoBonusEqualOrWorseNothing) {
  Scores s;
  ScoreRound(1, 0, 32, s.score, s.bonus);
  ScoreRound(2, 16, 32, s.score, s.bonus);  // better, not magic: breaks the run
  ScoreRound(3, 0, 32, s.score, s.bonus);   // magic after a non-magic round
  ScoreRound(4, 32, 32, s.score, s.bonus);  // the same
  ScoreRound(5, 64, 32, s.score, s.bonus);  // worse: no penalty
  EXPECT_EQ(Slots(s.score, 1, 5), (std::vector<int>{100, 30, 100, 0, 0}));
  EXPECT_EQ(Slots(s.bonus, 1, 5), (std::vector<int>{0, 0, 0, 0, 0}));
  EXPECT_EQ(s.score[11], 230);
  EXPECT_EQ(s.bonus[11], 0);
}

TEST(ScoreRoundTest, RoundOutsideTheGameChangesNothing) {
  Scores s;
  for (int round : {0, -1, 11, 12, 1000}) ScoreRound(round, 0, 10, s.score, s.bonus);
  EXPECT_EQ(Slots(s.score, 0, 11), std::vector<int>(12, 0));
  EXPECT_EQ(Slots(s.bonus, 0, 11), std::vector<int>(12, 0));
}

TEST(HitTestCellTest, AllFourEdgesAreInsideAndTheGapsBetweenCellsAreNot) {
  CMyKelvoView view;
  view.ComputeLayout({0, 0, 1024, 700});
  for (int i = 1; i <= 9; ++i) {
    const RECT r = view.m_rcCell[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(view.HitTestCell({r.left, r.top}), i);
    EXPECT_EQ(view.HitTestCell({r.right, r.bottom}), i);
    EXPECT_EQ(view.HitTestCell({r.right, r.top}), i);
    EXPECT_EQ(view.HitTestCell({r.left, r.bottom}), i);
    EXPECT_EQ(view.HitTestCell({r.left - 1, r.top}), -1);
    EXPECT_EQ(view.HitTestCell({r.right + 1, r.bottom}), -1);
    EXPECT_EQ(view.HitTestCell({r.left, r.bottom + 1}), -1);
  }
  EXPECT_EQ(view.HitTestCell({-5, -5}), -1);
  EXPECT_EQ(view.HitTestCell({100000, 100000}), -1);
}

// A game in its first swap period on a known square: 1 8 6 / 3 5 7 / 4 9 2,
// before-sum 147, whose magic exchange is cells 1 and 2.
class SwapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table.Enter();
    ASSERT_EQ(view.m_nGameState, kStateSwapPeriod);
    view.MakePuzzle(0, 0);
    // A repaint takes the sums from the cells as they stand.
    table.host.Paint();
    ASSERT_EQ(view.m_nBeforeSum, 147);
    table.host.ClearRecorded();
    table.cues.Clear();
  }

  struct Snapshot {
    std::array<int, 10> cells;
    std::array<int, 12> score, bonus;
    int state, countdown, round, after, before;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot Take() const {
    Snapshot s{};
    std::copy(view.m_nCell + 1, view.m_nCell + 10, s.cells.begin() + 1);
    std::copy(view.m_nScore, view.m_nScore + 12, s.score.begin());
    std::copy(view.m_nBonus, view.m_nBonus + 12, s.bonus.begin());
    s.state = view.m_nGameState;
    s.countdown = view.m_nCountdown;
    s.round = view.m_nRound;
    s.after = view.m_nAfterSum;
    s.before = view.m_nBeforeSum;
    return s;
  }
  void ExpectRefused(const Snapshot& before) {
    EXPECT_EQ(table.cues.Ids(), std::vector<UINT>{IDR_SOUND_REFUSED});
    EXPECT_FALSE(table.cues.plays.empty() || table.cues.plays[0].waited);
    EXPECT_EQ(Take(), before);
    table.cues.Clear();
  }

  GameTable table;
  CMyKelvoView& view = table.view;
};

TEST_F(SwapTest, MagicSwapScoresAtOnceRedrawsAndEndsThePeriodEarly) {
  table.Drag(1, 2);
  const int expected[10] = {0, 8, 1, 6, 3, 5, 7, 4, 9, 2};
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(view.m_nCell[i], expected[i]) << i;
  EXPECT_EQ(view.m_nAfterSum, 0);
  EXPECT_EQ(view.m_nBeforeSum, 147);
  EXPECT_EQ(view.m_nScore[1], 100);
  EXPECT_EQ(view.m_nBonus[1], 0);  // round 1 never earns a bonus
  EXPECT_EQ(view.m_nScore[11], 100);
  EXPECT_EQ(view.m_nGameState, kStateRest);
  EXPECT_EQ(view.m_nCountdown, 1);
  EXPECT_TRUE(table.cues.plays.empty());
  for (int k = 0; k < 8; ++k) EXPECT_EQ(view.m_nLineDiff[k], 0);

  // Drawn at once: the new numbers in their cells, zeros in the line boxes,
  // the points in round 1's score box and the overall score.
  for (int i = 1; i <= 9; ++i) {
    const auto texts = table.TextsIn(view.m_rcCell[i]);
    ASSERT_EQ(texts.size(), 1u) << i;
    EXPECT_EQ(texts[0].text, std::to_string(expected[i]));
  }
  for (int k = 0; k < 8; ++k) {
    ASSERT_EQ(table.TextsIn(view.m_rcLineDiff[k]).size(), 1u);
    EXPECT_EQ(table.TextsIn(view.m_rcLineDiff[k])[0].text, "0");
    EXPECT_EQ(table.TextsIn(view.m_rcLineDiff[k])[0].color, RGB(0, 0, 255));
    EXPECT_EQ(table.TextsIn(view.m_rcLineDiffSq[k])[0].color, RGB(255, 0, 0));
  }
  ASSERT_FALSE(table.TextsIn(view.m_rcScoreCell[1]).empty());
  EXPECT_EQ(table.TextsIn(view.m_rcScoreCell[1]).back().text, "100");
  EXPECT_EQ(table.TextsIn(view.m_rcOverall).back().text, "100");

  // The countdown shows 0 on the next tick and the period closes on the one
  // after.
  EXPECT_TRUE(table.Tick());
  EXPECT_EQ(view.m_nCountdown, 0);
  EXPECT_EQ(view.m_strAfterLabel, "");
  EXPECT_TRUE(table.Tick());
  EXPECT_EQ(view.m_strAfterLabel, "After Sum 0");
  EXPECT_EQ(view.m_nRound, 2);
  EXPECT_FALSE(table.host.Clock().IsRunning(kSwapTimer));
  EXPECT_TRUE(table.host.Clock().IsRunning(kRestTimer));
}

TEST_F(SwapTest, ImprovingSwapScoresThirtyAndAnEqualOrWorseOneNothing) {
  const auto better = FindExchange(view.m_nCell, [](int a, int b) { return a > 0 && a < b; });
  ASSERT_TRUE(better);
  table.Drag(better->first, better->second);
  EXPECT_EQ(view.m_nScore[1], 30);
  EXPECT_EQ(view.m_nScore[11], 30);
  EXPECT_GT(view.m_nAfterSum, 0);
  EXPECT_LT(view.m_nAfterSum, 147);
  table.RunOutSwapPeriod();
  EXPECT_EQ(view.m_strAfterLabel, "After Sum " + std::to_string(view.m_nAfterSum));

  // Round 2 on the same square: a swap that makes it worse.
  table.Enter();
  view.MakePuzzle(0, 0);
  table.host.Paint();
  const auto worse = FindExchange(view.m_nCell, [](int a, int b) { return a > b; });
  ASSERT_TRUE(worse);
  table.Drag(worse->first, worse->second);
  EXPECT_EQ(view.m_nScore[2], 0);
  EXPECT_EQ(view.m_nScore[11], 30);
  EXPECT_EQ(view.m_nBonus[11], 0);
}

TEST_F(SwapTest, AResizeJustBeforeTheSwapStillScoresAgainstTheSquareTheRoundStartedWith) {
  // The window was resized and its paint has not run when the drop comes:
  // the paint runs inside the swap handler, and the whole-screen redraw must
  // not take the before-sum from the swapped cells.
  const auto better = FindExchange(view.m_nCell, [](int a, int b) { return a > 0 && a < b; });
  ASSERT_TRUE(better);
  const int paintsBefore = table.host.PaintCount();
  table.host.ResizeLater(900, 640);
  table.Drag(better->first, better->second);
  EXPECT_EQ(table.host.PaintCount(), paintsBefore + 1);
  EXPECT_FALSE(table.host.PaintPending());
  EXPECT_EQ(view.m_nBeforeSum, 147);
  EXPECT_EQ(view.m_nScore[1], 30);
  EXPECT_EQ(table.TextsIn(view.m_rcScoreCell[1]).back().text, "30");
}

TEST_F(SwapTest, NoPressOrDropIsTakenOnceTheCountdownShowsZero) {
  while (view.m_nCountdown > 1) ASSERT_TRUE(table.Tick());
  view.OnLButtonDown(0, CellCentre(view, 1));
  ASSERT_EQ(view.m_nDragFrom, 1);
  ASSERT_TRUE(table.Tick());
  ASSERT_EQ(view.m_nCountdown, 0);
  ASSERT_EQ(view.m_nGameState, kStateSwapPeriod);  // the period closes on the next tick
  table.cues.Clear();

  // A drop at 0, even of a press made at 1, is refused.
  const Snapshot atZero = Take();
  view.OnLButtonUp(0, CellCentre(view, 2));
  ExpectRefused(atZero);
  // A press at 0 takes no cell.
  view.OnLButtonDown(0, CellCentre(view, 3));
  EXPECT_EQ(view.m_nDragFrom, 1);
}

TEST_F(SwapTest, EqualTotalScoresNothing) {
  // 6 1 8 / 3 5 7 / 4 9 2 (before-sum 16): exchanging cells 4 and 6 leaves
  // the total where it was, which is no improvement.
  view.MakePuzzle(0, 1);
  table.host.Paint();
  ASSERT_EQ(view.m_nBeforeSum, 16);
  const auto same = FindExchange(view.m_nCell, [](int a, int b) { return a == b; });
  ASSERT_TRUE(same);
  table.Drag(same->first, same->second);
  EXPECT_EQ(view.m_nAfterSum, 16);
  EXPECT_EQ(view.m_nScore[1], 0);
  EXPECT_EQ(view.m_nGameState, kStateRest);
}

TEST_F(SwapTest, RefusedDropsSoundAndChangeNothing) {
  const Snapshot start = Take();
  // A release with no press yet in this round; a right press picks nothing.
  view.OnLButtonUp(0, CellCentre(view, 2));
  ExpectRefused(start);
  view.OnRButtonDown(0, CellCentre(view, 1));
  view.OnLButtonUp(0, CellCentre(view, 2));
  ExpectRefused(start);
  // The same cell.
  table.Drag(5, 5);
  ExpectRefused(start);
  // A press outside every cell, released on a cell.
  table.Drag(CPoint{2, 2}, CellCentre(view, 2));
  ExpectRefused(start);
  // A press on a cell, released off every cell.
  table.Drag(CellCentre(view, 1), CPoint{view.m_rcCell[1].left - 2, view.m_rcCell[1].top});
  ExpectRefused(start);
  // The player may still swap afterwards.
  table.Drag(1, 2);
  EXPECT_EQ(view.m_nScore[1], 100);
  EXPECT_TRUE(table.cues.plays.empty());
}

TEST_F(SwapTest, SecondDropAfterASwapAndDropsAtRestOrAfterTheGameAreRefused) {
  table.Drag(1, 2);
  // Between the swap and the close, and during the rest.
  const Snapshot afterSwap = Take();
  table.Drag(2, 3);
  ExpectRefused(afterSwap);
  table.RunOutSwapPeriod();
  const Snapshot resting = Take();
  table.Drag(2, 3);
  ExpectRefused(resting);
}

TEST_F(SwapTest, ReleaseExactlyOnTheRightOrBottomEdgeCounts) {
  const RECT r2 = view.m_rcCell[2];
  table.Drag(CellCentre(view, 1), CPoint{r2.right, r2.bottom});
  EXPECT_EQ(view.m_nScore[1], 100);
  EXPECT_TRUE(table.cues.plays.empty());
}

TEST_F(SwapTest, APressDuringTheRestCannotSwapInTheNextRound) {
  // Cell 1 picked in round 1, the drop refused, then the round runs out.
  table.Drag(1, 1);
  table.RunOutSwapPeriod();
  view.OnLButtonDown(MK_LBUTTON, CellCentre(view, 3));  // at rest: ignored
  table.Enter();
  ASSERT_EQ(view.m_nRound, 2);
  const Snapshot start = Take();
  table.cues.Clear();
  // Released on a cell in round 2 without a press in round 2.
  view.OnLButtonUp(0, CellCentre(view, 2));
  ExpectRefused(start);
}

// A whole game with runs of magic squares; drops before it and after it
// are refused.
TEST(SwapRunTest, RunsOfMagicSquaresThroughThePlayedGame) {
  GameTable table;
  table.Drag(1, 2);
  EXPECT_EQ(table.cues.Ids(), std::vector<UINT>{IDR_SOUND_REFUSED});
  EXPECT_EQ(table.view.m_nGameState, kStateIdle);
  table.cues.Clear();
  const bool magic[] = {true, true, true, false, true, true, false, false, true, true};
  table.Enter();
  for (int r = 1; r <= 10; ++r) {
    ASSERT_EQ(table.view.m_nRound, r);
    table.PlayRound(magic[r - 1]);
    if (r < 10) table.Enter();
  }
  const CMyKelvoView& v = table.view;
  EXPECT_EQ(Slots(v.m_nScore, 1, 10),
            (std::vector<int>{100, 100, 100, 0, 100, 100, 0, 0, 100, 100}));
  EXPECT_EQ(Slots(v.m_nBonus, 1, 10), (std::vector<int>{0, 10, 20, 0, 0, 10, 0, 0, 0, 10}));
  EXPECT_EQ(v.m_nScore[11], 700);
  EXPECT_EQ(v.m_nBonus[11], 50);
  EXPECT_EQ(v.m_nGameState, kStateGameOver);
  // Not perfect: the closing cue only.
  EXPECT_EQ(table.cues.Count(IDR_SOUND_GAME_OVER), 1);
  EXPECT_EQ(table.cues.Count(IDR_SOUND_PERFECT), 0);

  int cells[10];
  std::copy(v.m_nCell, v.m_nCell + 10, cells);
  table.cues.Clear();
  table.Drag(1, 2);
  EXPECT_EQ(table.cues.Ids(), std::vector<UINT>{IDR_SOUND_REFUSED});
  EXPECT_TRUE(std::equal(cells + 1, cells + 10, v.m_nCell + 1));
  EXPECT_EQ(v.m_nScore[11], 700);
}

}  // namespace
