// The paint, as recorded: what is drawn where, in which colour and font, in
// the idle state and in a game.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "game/MyKelvoView.h"
#include "screen/score_table.h"
#include "support/headless_host.h"
#include "support/recording_dc.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr UINT kLeft = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
constexpr UINT kRight = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

struct PaintTest : testing::Test {
  PaintTest() : host(1024, 700, {.record = false}) { host.Attach(&view); }
  void Paint() {
    dc.Clear();
    view.OnDraw(&dc);
  }
  // The one text drawn in `box`, or "" (and a failure) when not exactly one.
  DrawCall OnlyTextIn(const RECT& box) {
    const auto texts = dc.TextsIn(box);
    EXPECT_EQ(texts.size(), 1u);
    return texts.empty() ? DrawCall{} : texts[0];
  }
  size_t CountOf(DrawCall::Kind kind, const RECT& box) {
    return std::count_if(dc.Calls().begin(), dc.Calls().end(),
                         [&](const DrawCall& c) { return c.kind == kind && c.rect == box; });
  }
  // A game in round `round` with the square 1 8 6 / 3 5 7 / 4 9 2.
  void StartGame(int round) {
    view.m_nGameState = kStateSwapPeriod;
    view.m_nRound = round;
    view.MakePuzzle(0, 0);
    view.m_strRoundLabel = "Round " + std::to_string(round);
    view.m_strBeforeLabel = "Before Sum 147";
  }

  CMyKelvoView view;
  HeadlessHost host;
  RecordingDC dc;
};

TEST_F(PaintTest, IdleScreenShowsTheExampleSquare) {
  Paint();
  const int digits[9] = {8, 1, 6, 3, 2, 7, 4, 9, 5};
  for (int k = 1; k <= 9; ++k) {
    const DrawCall t = OnlyTextIn(view.m_rcCell[k]);
    EXPECT_EQ(t.text, std::to_string(digits[k - 1]));
    EXPECT_EQ(t.format, kCentred);
    EXPECT_EQ(t.font, view.m_fontCell.logFont());
    EXPECT_EQ(t.color, kBlack);
    EXPECT_EQ(view.m_nDemoCell[k - 1], digits[k - 1]);
  }
  const char* blue[8] = {"0", "-3", "3", "0", "-3", "3", "0", "-3"};
  const char* red[8] = {"0", "9", "9", "0", "9", "9", "0", "9"};
  for (int k = 0; k < 8; ++k) {
    const DrawCall b = OnlyTextIn(view.m_rcLineDiff[k]);
    EXPECT_EQ(b.text, blue[k]) << k;
    EXPECT_EQ(b.color, kBlue);
    EXPECT_EQ(b.font, view.m_fontLabel.logFont());
    const DrawCall r = OnlyTextIn(view.m_rcLineDiffSq[k]);
    EXPECT_EQ(r.text, red[k]) << k;
    EXPECT_EQ(r.color, kRed);
    // The screen was just erased: these boxes are not cleared.
    EXPECT_EQ(CountOf(DrawCall::kFillRect, view.m_rcLineDiff[k]), 0u);
  }
  EXPECT_EQ(view.m_nBeforeSum, 45);
  EXPECT_EQ(view.m_nAfterSum, 45);
}

TEST_F(PaintTest, IdleScreenHasNoScoreTableAndNoLabels) {
  // Labels left from nothing: even stale texts must not show before a game.
  view.m_strRoundLabel = "Round 4";
  view.m_strBeforeLabel = "Before Sum 3";
  Paint();
  for (const char* word : {"Total", "Overall", "Score", "Bonus", "Round 1", "Round 4"})
    EXPECT_TRUE(dc.TextsEqual(word).empty()) << word;
  EXPECT_TRUE(dc.TextsIn(view.m_rcRoundLabel).empty());
  EXPECT_TRUE(dc.TextsIn(view.m_rcBeforeLabel).empty());
  EXPECT_TRUE(dc.TextsIn(view.m_rcAfterLabel).empty());
  for (const DrawCall& c : dc.Calls()) EXPECT_NE(c.kind, DrawCall::kRectangle);
}

TEST_F(PaintTest, PlayerLabelAndInstructions) {
  Paint();
  const auto texts = dc.Texts();
  ASSERT_FALSE(texts.empty());
  // The player line comes last, over a cleared box, centred in magenta.
  EXPECT_EQ(texts.back().text, "Player: ");
  EXPECT_EQ(texts.back().rect, view.m_rcPlayerLabel);
  EXPECT_EQ(texts.back().format, kCentred);
  EXPECT_EQ(texts.back().color, kMagenta);
  EXPECT_EQ(texts.back().font, view.m_fontLabel.logFont());
  EXPECT_EQ(texts.back().bkMode, TRANSPARENT);
  const auto clears = dc.FillsOf(view.m_rcPlayerLabel);
  ASSERT_EQ(clears.size(), 1u);
  EXPECT_EQ(clears[0].color, kWhite);
  EXPECT_EQ(dc.GetTextColor(), kBlack);

  const DrawCall rules = OnlyTextIn(view.m_rcInstructions);
  EXPECT_EQ(rules.text, view.m_strInstructions);
  EXPECT_EQ(rules.format, DT_WORDBREAK);
  EXPECT_EQ(rules.color, kBlack);
  EXPECT_EQ(rules.font, view.m_fontText.logFont());

  view.m_strPlayerLabel = "Player: Ann";
  Paint();
  EXPECT_EQ(dc.Texts().back().text, "Player: Ann");
}

TEST_F(PaintTest, CaptionIsRewrittenAtEveryPaint) {
  Paint();
  const std::string caption = host.Caption();
  const std::string tail = " -- Version D608";
  ASSERT_GE(caption.size(), tail.size());
  EXPECT_EQ(caption.substr(caption.size() - tail.size()), tail);
  EXPECT_FALSE(view.m_strNow.empty());
  EXPECT_NE(caption.find(" -- " + view.m_strNow + tail), std::string::npos);
  EXPECT_EQ(caption, view.m_strCaption);
  EXPECT_NE(view.m_timeNow, 0);

  host.SetCaption("stale");
  Paint();
  EXPECT_EQ(host.Caption().substr(host.Caption().size() - tail.size()), tail);
}

TEST_F(PaintTest, GridLinesAt1024By700) {
  Paint();
  // u = 11, X = 512, Y = 350: grid lines at x = 160, 248, 336, 424 and
  // y = 97, 185, 273, 361.
  struct Segment {
    int x0, y0, x1, y1;
    COLORREF pen;
    bool operator<(const Segment& o) const {
      return std::tie(x0, y0, x1, y1, pen) < std::tie(o.x0, o.y0, o.x1, o.y1, o.pen);
    }
  };
  const COLORREF bevel[4] = {RGB(0xC0, 0xC0, 0xC0), RGB(0x80, 0x80, 0x80), RGB(0x80, 0x80, 0x80),
                             kBlack};
  const COLORREF guide = RGB(0xC0, 0xAC, 0x00);
  std::set<Segment> expected;
  for (int j = 0; j < 4; ++j) {
    const int x = 160 + 88 * j;
    for (int i = 0; i < 4; ++i) expected.insert({x + i, 97, x + i, 365, bevel[i]});
    expected.insert({x + 2, 367, x + 2, 444, guide});
  }
  for (int i = 0; i < 4; ++i) {
    expected.insert({160 + i, 97 + i, 427 - i, 97 + i, bevel[i]});
    expected.insert({164, 185 + i, 424, 185 + i, bevel[i]});
    expected.insert({164, 273 + i, 424, 273 + i, bevel[i]});
    expected.insert({163 - i, 361 + i, 424 + i, 361 + i, bevel[i]});
  }
  for (int y : {99, 187, 275, 363}) expected.insert({430, y, 495, y, guide});
  expected.insert({156, 363, 90, 363, guide});

  std::set<Segment> drawn;
  for (const DrawCall& c : dc.Calls())
    if (c.kind == DrawCall::kLineTo) drawn.insert({c.from.x, c.from.y, c.to.x, c.to.y, c.color});
  EXPECT_EQ(drawn.size(), expected.size());
  for (const Segment& s : expected)
    EXPECT_TRUE(drawn.count(s)) << s.x0 << "," << s.y0 << " -> " << s.x1 << "," << s.y1;
}

TEST_F(PaintTest, GameStateRepaintsSquareLabelsAndTable) {
  StartGame(1);
  view.m_strAfterLabel = "";
  Paint();
  const int cells[9] = {1, 8, 6, 3, 5, 7, 4, 9, 2};
  EXPECT_TRUE(std::equal(cells, cells + 9, view.m_nCell + 1));  // no new puzzle
  for (int k = 1; k <= 9; ++k) {
    // Cell colours twice (the board, then the square); digits once.
    EXPECT_EQ(OnlyTextIn(view.m_rcCell[k]).text, std::to_string(cells[k - 1]));
    EXPECT_EQ(CountOf(DrawCall::kFillRect, view.m_rcCell[k]), 2u);
  }
  EXPECT_EQ(OnlyTextIn(view.m_rcLineDiff[3]).text, "-7");
  EXPECT_EQ(view.m_nBeforeSum, 147);

  const DrawCall round = OnlyTextIn(view.m_rcRoundLabel);
  EXPECT_EQ(round.text, "Round 1");
  EXPECT_EQ(round.format, kLeft);
  EXPECT_EQ(round.color, kBlack);
  EXPECT_EQ(round.font, view.m_fontLabel.logFont());
  const DrawCall before = OnlyTextIn(view.m_rcBeforeLabel);
  EXPECT_EQ(before.text, "Before Sum 147");
  EXPECT_EQ(before.format, kLeft);
  EXPECT_EQ(before.color, kRed);
  // An empty after label draws nothing.
  EXPECT_TRUE(dc.TextsIn(view.m_rcAfterLabel).empty());

  view.m_nGameState = kStateRest;
  view.m_strAfterLabel = "After Sum 0";
  Paint();
  const DrawCall after = OnlyTextIn(view.m_rcAfterLabel);
  EXPECT_EQ(after.text, "After Sum 0");
  EXPECT_EQ(after.format, kRight);
  EXPECT_EQ(after.color, kRed);
  EXPECT_EQ(dc.Texts().back().text, "Player: ");
}

TEST_F(PaintTest, ScoreTableHeadingsBoxesAndFont) {
  StartGame(1);
  Paint();
  for (int i = 1; i <= 11; ++i) {
    const DrawCall h = OnlyTextIn(view.m_rcColumnLabel[i]);
    EXPECT_EQ(h.text, g_strColumnLabel[i]);
    EXPECT_EQ(h.format, kCentred);
    EXPECT_EQ(h.font, view.m_fontTable.logFont());
  }
  EXPECT_EQ(g_strColumnLabel[10], "Round 10");
  EXPECT_EQ(g_strColumnLabel[11], "Total");
  EXPECT_EQ(OnlyTextIn(view.m_rcOverallLabel).text, "Overall");
  const DrawCall score = OnlyTextIn(view.m_rcScoreHeader);
  EXPECT_EQ(score.text, "Score");
  EXPECT_EQ(score.format, kRight);
  // Column 1 has no bonus box: its place holds the heading instead.
  const auto bonusOne = dc.TextsIn(view.m_rcBonusCell[1]);
  ASSERT_EQ(bonusOne.size(), 1u);
  EXPECT_EQ(bonusOne[0].text, "Bonus");
  EXPECT_EQ(bonusOne[0].format, kRight);
  EXPECT_EQ(CountOf(DrawCall::kRectangle, view.m_rcBonusFrame[1]), 0u);
  // Its only fill is the white erase under the heading.
  const auto bonusOneFills = dc.FillsOf(view.m_rcBonusCell[1]);
  ASSERT_EQ(bonusOneFills.size(), 1u);
  EXPECT_EQ(bonusOneFills[0].color, kWhite);

  for (int i = 1; i <= 11; ++i) {
    EXPECT_EQ(CountOf(DrawCall::kRectangle, view.m_rcScoreFrame[i]), 1u);
    const auto fill = dc.FillsOf(view.m_rcScoreCell[i]);
    ASSERT_EQ(fill.size(), 1u);
    EXPECT_EQ(fill[0].color, RGB(0xFF, 0xC7, 0xFF));
    if (i >= 2) {
      EXPECT_EQ(CountOf(DrawCall::kRectangle, view.m_rcBonusFrame[i]), 1u);
      ASSERT_EQ(dc.FillsOf(view.m_rcBonusCell[i]).size(), 1u);
      EXPECT_EQ(dc.FillsOf(view.m_rcBonusCell[i])[0].color, RGB(0xE1, 0xFF, 0x80));
    }
  }
  for (const DrawCall& c : dc.Calls()) {
    if (c.kind == DrawCall::kRectangle) {
      EXPECT_EQ(c.color, kBlack);
    }
  }
  EXPECT_EQ(CountOf(DrawCall::kRectangle, view.m_rcOverallFrame), 1u);
  EXPECT_EQ(dc.FillsOf(view.m_rcOverall)[0].color, RGB(0x60, 0xFF, 0xB4));
}

TEST_F(PaintTest, ScoreTableRestoresTheCallersFont) {
  view.ComputeLayout({0, 0, 1024, 700});
  CFont callers;
  CreateGameFont(callers, 20, "Arial");
  dc.SelectObject(&callers);
  view.DrawScoreTable(&dc, 1);
  EXPECT_EQ(dc.CurrentFont(), &callers);
  EXPECT_EQ(view.m_pOldFont, &callers);
}

// The score and bonus numbers drawn, column by column ("" for none).
struct TableNumbers {
  std::vector<std::string> score, bonus;
  std::string overall;
};

TableNumbers NumbersOf(RecordingDC& dc, const CMyKelvoView& v) {
  TableNumbers n;
  for (int i = 1; i <= 11; ++i) {
    auto s = dc.TextsIn(v.m_rcScoreCell[i]);
    n.score.push_back(s.empty() ? "" : s.back().text);
    auto b = dc.TextsIn(v.m_rcBonusCell[i]);
    n.bonus.push_back(i == 1 || b.empty() ? "" : b.back().text);
  }
  auto o = dc.TextsIn(v.m_rcOverall);
  n.overall = o.empty() ? "" : o.back().text;
  return n;
}

TEST_F(PaintTest, FreshGameShowsOnlyTheThreeTotals) {
  StartGame(1);
  view.ComputeLayout({0, 0, 1024, 700});
  // The start of a game draws the table from round 2 after zeroing it.
  view.DrawScoreTable(&dc, 2);
  const TableNumbers n = NumbersOf(dc, view);
  const std::vector<std::string> empty10(10, "");
  EXPECT_EQ(std::vector<std::string>(n.score.begin(), n.score.begin() + 10), empty10);
  EXPECT_EQ(std::vector<std::string>(n.bonus.begin(), n.bonus.begin() + 10), empty10);
  EXPECT_EQ(n.score[10], "0");
  EXPECT_EQ(n.bonus[10], "0");
  EXPECT_EQ(n.overall, "0");

  // A paint of the same moment shows round 1's 0 as well.
  Paint();
  EXPECT_EQ(NumbersOf(dc, view).score[0], "0");
  EXPECT_EQ(NumbersOf(dc, view).bonus[1], "");
}

TEST_F(PaintTest, RoundThreeShowsPlayedRoundsOnly) {
  StartGame(3);
  view.m_nScore[1] = 100;
  view.m_nScore[2] = 100;
  view.m_nBonus[2] = 10;
  view.m_nScore[11] = 200;
  view.m_nBonus[11] = 10;
  Paint();
  const TableNumbers n = NumbersOf(dc, view);
  EXPECT_EQ(n.score,
            (std::vector<std::string>{"100", "100", "0", "", "", "", "", "", "", "", "200"}));
  EXPECT_EQ(n.bonus, (std::vector<std::string>{"", "10", "0", "", "", "", "", "", "", "", "10"}));
  EXPECT_EQ(n.overall, "210");
  for (int i = 1; i <= 11; ++i) {
    const auto s = dc.TextsIn(view.m_rcScoreCell[i]);
    if (!s.empty()) {
      EXPECT_EQ(s[0].font, view.m_fontLabel.logFont());
      EXPECT_EQ(s[0].format, kCentred);
      EXPECT_EQ(s[0].color, kBlack);
    }
  }
}

TEST_F(PaintTest, PerfectGame) {
  StartGame(10);
  view.m_nGameState = kStateGameOver;
  int bonus = 0;
  for (int r = 1; r <= 10; ++r) {
    view.m_nScore[r] = 100;
    view.m_nBonus[r] = bonus;
    view.m_nScore[11] += 100;
    view.m_nBonus[11] += bonus;
    bonus = bonus ? 2 * bonus : 10;
  }
  Paint();
  const TableNumbers n = NumbersOf(dc, view);
  EXPECT_EQ(n.score, (std::vector<std::string>{"100", "100", "100", "100", "100", "100", "100",
                                               "100", "100", "100", "1000"}));
  EXPECT_EQ(n.bonus, (std::vector<std::string>{"", "10", "20", "40", "80", "160", "320", "640",
                                               "1280", "2560", "5110"}));
  EXPECT_EQ(n.overall, "6110");
}

TEST_F(PaintTest, RoundBeyondTheTableReadsNothingOutside) {
  StartGame(1);
  view.m_nRound = 1000;  // never set by the game; must not index past round 10
  Paint();
  EXPECT_EQ(NumbersOf(dc, view).score.size(), 11u);
  view.m_nRound = -5;
  Paint();
  EXPECT_EQ(NumbersOf(dc, view).score[0], "");
}

}  // namespace
