// Making and drawing a round's square.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "game/MyKelvoView.h"
#include "game/line_values.h"
#include "game/puzzle_tables.h"
#include "support/recording_dc.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

bool IsPermutationOfOneToNine(const int cell[10]) {
  std::set<int> seen(cell + 1, cell + 10);
  return seen.size() == 9 && *seen.begin() == 1 && *seen.rbegin() == 9;
}

int Total(const int cell[10]) {
  int diff[8], sq[8];
  return ComputeLineDiffs(cell, diff, sq);
}

// How many of the 36 exchanges turn the cells into a magic square.
int MagicExchanges(const int cell[10]) {
  int n = 0;
  for (const auto& pair : g_nSwapPairs) {
    int c[10];
    std::copy(cell, cell + 10, c);
    std::swap(c[pair[0]], c[pair[1]]);
    if (Total(c) == 0) ++n;
  }
  return n;
}

const std::set<int> kPossibleBeforeSums = {3, 5, 16, 32, 45, 64, 75, 128, 144, 147};

struct PuzzleFixture : testing::Test {
  PuzzleFixture() { view.ComputeLayout({0, 0, 1024, 700}); }
  CMyKelvoView view;
  RecordingDC dc;
};

TEST(PuzzleTablesTest, EverySquareIsMagicAndEveryPairDistinct) {
  std::set<std::vector<int>> squares;
  for (const auto& square : g_nMagicSquares) {
    int cell[10] = {};
    std::copy(square, square + 9, cell + 1);
    EXPECT_TRUE(IsPermutationOfOneToNine(cell));
    EXPECT_EQ(Total(cell), 0);
    squares.insert(std::vector<int>(square, square + 9));
  }
  EXPECT_EQ(squares.size(), 8u);

  std::set<std::pair<int, int>> pairs;
  for (const auto& pair : g_nSwapPairs) {
    EXPECT_LT(pair[0], pair[1]);
    EXPECT_GE(pair[0], 1);
    EXPECT_LE(pair[1], 9);
    if (!pairs.empty()) {
      EXPECT_LT(*pairs.rbegin(), std::make_pair(pair[0], pair[1]));
    }
    pairs.insert({pair[0], pair[1]});
  }
  EXPECT_EQ(pairs.size(), 36u);
}

TEST_F(PuzzleFixture, EveryOneOfThe288PuzzlesIsOneSwapFromMagic) {
  for (int s = 0; s < kMagicSquareCount; ++s) {
    for (int p = 0; p < kSwapPairCount; ++p) {
      view.MakePuzzle(s, p);
      SCOPED_TRACE(testing::Message() << "square " << s << " pair " << p);
      EXPECT_TRUE(IsPermutationOfOneToNine(view.m_nCell));
      const int total = Total(view.m_nCell);
      EXPECT_NE(total, 0);
      EXPECT_TRUE(kPossibleBeforeSums.count(total)) << total;
      EXPECT_EQ(MagicExchanges(view.m_nCell), 1);
    }
  }
}

TEST_F(PuzzleFixture, RandomDrawsGiveValidAndVariedPuzzles) {
  std::set<std::vector<int>> seen;
  view.SeedRandom(20240601);
  for (int draw = 0; draw < 3000; ++draw) {
    view.DrawPuzzle(&dc, FALSE);
    dc.Clear();
    ASSERT_TRUE(IsPermutationOfOneToNine(view.m_nCell));
    ASSERT_NE(view.m_nBeforeSum, 0);
    ASSERT_TRUE(kPossibleBeforeSums.count(view.m_nBeforeSum)) << view.m_nBeforeSum;
    ASSERT_EQ(view.m_nAfterSum, view.m_nBeforeSum);
    ASSERT_EQ(view.m_nBeforeSum, Total(view.m_nCell));
    ASSERT_EQ(MagicExchanges(view.m_nCell), 1);
    seen.insert(std::vector<int>(view.m_nCell + 1, view.m_nCell + 10));
  }
  // Each of the 288 (square, pair) choices makes a different puzzle; a
  // fair choice of both reaches nearly all of them in 3000 draws.
  EXPECT_GE(seen.size(), 280u);
}

TEST_F(PuzzleFixture, SameSeedSamePuzzles) {
  CMyKelvoView other;
  view.SeedRandom(7);
  other.SeedRandom(7);
  for (int i = 0; i < 20; ++i) {
    view.DrawPuzzle(&dc, FALSE);
    other.DrawPuzzle(&dc, FALSE);
    ASSERT_TRUE(std::equal(view.m_nCell + 1, view.m_nCell + 10, other.m_nCell + 1));
  }
}

TEST_F(PuzzleFixture, SquareZeroWithPairZero) {
  view.MakePuzzle(0, 0);
  const int expectedCells[9] = {1, 8, 6, 3, 5, 7, 4, 9, 2};
  EXPECT_TRUE(std::equal(expectedCells, expectedCells + 9, view.m_nCell + 1));
  // The exchange goes through slot 0, which keeps the first cell's old number.
  EXPECT_EQ(view.m_nCell[0], 8);

  view.DrawPuzzle(&dc, TRUE);
  const int expectedDiff[8] = {0, 0, 0, -7, 7, 0, -7, 0};
  const int expectedSq[8] = {0, 0, 0, 49, 49, 0, 49, 0};
  EXPECT_TRUE(std::equal(expectedDiff, expectedDiff + 8, view.m_nLineDiff));
  EXPECT_TRUE(std::equal(expectedSq, expectedSq + 8, view.m_nLineDiffSq));
  EXPECT_EQ(view.m_nBeforeSum, 147);
  EXPECT_EQ(view.m_nAfterSum, 147);

  // Each value drawn once in its box, in its colour, in the label font.
  for (int k = 0; k < 8; ++k) {
    const auto blue = dc.TextsIn(view.m_rcLineDiff[k]);
    ASSERT_EQ(blue.size(), 1u) << k;
    EXPECT_EQ(blue[0].text, std::to_string(expectedDiff[k]));
    EXPECT_EQ(blue[0].color, kBlue);
    EXPECT_EQ(blue[0].format, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    EXPECT_EQ(blue[0].font, view.m_fontLabel.logFont());
    const auto red = dc.TextsIn(view.m_rcLineDiffSq[k]);
    ASSERT_EQ(red.size(), 1u) << k;
    EXPECT_EQ(red[0].text, std::to_string(expectedSq[k]));
    EXPECT_EQ(red[0].color, kRed);
  }
}

TEST_F(PuzzleFixture, DrawsCellsThenValuesInOrder) {
  view.MakePuzzle(5, 20);
  view.DrawPuzzle(&dc, TRUE);
  const auto& calls = dc.Calls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0].kind, DrawCall::kSetBkMode);
  EXPECT_EQ(calls[0].bkMode, TRANSPARENT);
  EXPECT_EQ(calls[1].kind, DrawCall::kSelectFont);
  EXPECT_EQ(calls[1].font, view.m_fontCell.logFont());

  // Nine fills with the position colours, then the nine digits, one
  // character each, then each line box cleared before its value.
  std::vector<DrawCall> fills, texts;
  for (const DrawCall& c : calls) {
    if (c.kind == DrawCall::kFillRect) fills.push_back(c);
    if (c.kind == DrawCall::kDrawText) texts.push_back(c);
  }
  ASSERT_EQ(fills.size(), 9u + 16u);
  ASSERT_EQ(texts.size(), 9u + 16u);
  for (int i = 1; i <= 9; ++i) {
    EXPECT_EQ(fills[i - 1].rect, view.m_rcCell[i]);
    EXPECT_EQ(fills[i - 1].color, view.m_brCell[i].color());
    EXPECT_EQ(texts[i - 1].rect, view.m_rcCell[i]);
    EXPECT_EQ(texts[i - 1].text, std::to_string(view.m_nCell[i]));
    EXPECT_EQ(texts[i - 1].format, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    EXPECT_EQ(texts[i - 1].font, view.m_fontCell.logFont());
    EXPECT_EQ(texts[i - 1].bkMode, TRANSPARENT);
  }
  for (int k = 0; k < 16; ++k) {
    const RECT& box = k < 8 ? view.m_rcLineDiff[k] : view.m_rcLineDiffSq[k - 8];
    EXPECT_EQ(fills[9 + k].rect, box);
    EXPECT_EQ(fills[9 + k].color, kWhite);
    EXPECT_EQ(texts[9 + k].rect, box);
  }
  size_t lastFill = 0, firstValue = 0;
  for (size_t n = 0; n < calls.size(); ++n) {
    if (calls[n].kind == DrawCall::kFillRect && calls[n].rect == view.m_rcCell[9]) lastFill = n;
    if (calls[n].kind == DrawCall::kDrawText && calls[n].rect == view.m_rcCell[1] && !firstValue)
      firstValue = n;
  }
  EXPECT_LT(lastFill, firstValue);

  // Left with the label font selected and black text.
  EXPECT_EQ(dc.CurrentFont(), &view.m_fontLabel);
  EXPECT_EQ(dc.GetTextColor(), kBlack);
  EXPECT_EQ(calls.back().kind, DrawCall::kSetTextColor);
}

TEST_F(PuzzleFixture, RedrawOnlyKeepsTheCellsAndResetsBothSums) {
  view.SeedRandom(3);
  view.DrawPuzzle(&dc, FALSE);
  // A swap made since: the cells changed, the sums stale.
  std::swap(view.m_nCell[1], view.m_nCell[9]);
  int cells[10];
  std::copy(view.m_nCell, view.m_nCell + 10, cells);
  view.m_nBeforeSum = 999;
  view.m_nAfterSum = -1;

  view.DrawPuzzle(&dc, TRUE);
  EXPECT_TRUE(std::equal(cells + 1, cells + 10, view.m_nCell + 1));
  EXPECT_EQ(view.m_nBeforeSum, Total(cells));
  EXPECT_EQ(view.m_nAfterSum, Total(cells));
}

TEST_F(PuzzleFixture, OutOfRangeChoicesLeaveTheCellsAlone) {
  view.MakePuzzle(2, 3);
  int cells[10];
  std::copy(view.m_nCell, view.m_nCell + 10, cells);
  view.MakePuzzle(8, 0);
  view.MakePuzzle(0, 36);
  view.MakePuzzle(-1, -1);
  EXPECT_TRUE(std::equal(cells, cells + 10, view.m_nCell));
}

}  // namespace
