// The layout pass: every box of the screen from the client size.
#include <gtest/gtest.h>

#include <climits>

#include "game/MyKelvoView.h"
#include "support/headless_host.h"
#include "support/recording_dc.h"

namespace {

// A view laid out for a client of `width` x `height`.
struct LaidOutView {
  LaidOutView(int width, int height) { view.ComputeLayout({0, 0, width, height}); }
  CMyKelvoView view;
};

RECT Box(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

// The example the game's layout was worked out on.
TEST(LayoutTest, WorkedExampleOf1024By700) {
  LaidOutView f(1024, 700);
  const CMyKelvoView& v = f.view;
  EXPECT_EQ(v.m_nUnit, 11);
  EXPECT_EQ(v.m_rcClient, (RECT{0, 0, 1024, 700}));
  EXPECT_EQ(v.m_rcCell[1], (RECT{164, 101, 248, 185}));
  EXPECT_EQ(v.m_rcCell[9], (RECT{340, 277, 424, 361}));
  EXPECT_EQ(v.m_rcInstructions, (RECT{556, 101, 1013, 601}));
  EXPECT_EQ(v.m_rcPlayerLabel, (RECT{556, 74, 1013, 96}));
  EXPECT_EQ(v.m_rcScoreCell[1], (RECT{164, 634, 208, 656}));
  EXPECT_EQ(v.m_rcScoreCell[11], (RECT{725, 634, 769, 656}));
  EXPECT_EQ(v.m_rcOverall, (RECT{785, 645, 829, 672}));
}

// Every box beside the score table, built here from the board: a square of
// 24 units whose outer corner lies 32 units left of and 23 above the
// client's centre, with grid lines 8 units apart and 4 pixels thick.  The
// sizes are odd and even, and low enough for a unit of 0, where every box
// collapses onto its anchor.
TEST(LayoutTest, BoardAndTheBoxesAroundItFollowTheGridAtEverySize) {
  struct Size {
    int w, h, u, x, y;  // the unit and the centre, worked out by hand
  };
  const Size sizes[] = {{1024, 700, 11, 512, 350},  {1025, 701, 11, 512, 350},
                        {1920, 1080, 18, 960, 540}, {3841, 2161, 36, 1920, 1080},
                        {333, 245, 3, 166, 122},    {801, 69, 1, 400, 34},
                        {1024, 68, 0, 512, 34},     {1, 1, 0, 0, 0}};
  for (const Size& s : sizes) {
    SCOPED_TRACE(testing::Message() << s.w << "x" << s.h);
    LaidOutView f(s.w, s.h);
    const CMyKelvoView& v = f.view;
    const int u = s.u;
    ASSERT_EQ(v.m_nUnit, u);
    const int left = s.x - 32 * u, top = s.y - 23 * u;  // the board's outer corner
    auto grid = [&](int j) { return 8 * u * j; };
    for (int k = 1; k <= 9; ++k) {
      const int r = (k - 1) / 3, c = (k - 1) % 3;
      EXPECT_EQ(v.m_rcCell[k], (RECT{left + grid(c) + 4, top + grid(r) + 4, left + grid(c + 1),
                                     top + grid(r + 1)}))
          << "cell " << k;
    }
    // Line values in 3-unit boxes: a row's one unit right of the board and
    // one unit below the row's top, a column's two units into it and one
    // unit below the board; 1-5-9 at their crossing, 3-5-7 five units left
    // of the board.  Each square sits one unit right and three down.
    const int side = 3 * u, right = left + 25 * u, below = top + 25 * u;
    for (int r = 0; r < 3; ++r)
      EXPECT_EQ(v.m_rcLineDiff[r], Box(right, top + grid(r) + u + 4, side, side)) << "row " << r;
    for (int c = 0; c < 3; ++c)
      EXPECT_EQ(v.m_rcLineDiff[3 + c], Box(left + grid(c) + 2 * u + 4, below, side, side))
          << "column " << c;
    EXPECT_EQ(v.m_rcLineDiff[6], Box(right, below, side, side));
    EXPECT_EQ(v.m_rcLineDiff[7], Box(left - 5 * u + 4, below, side, side));
    for (int k = 0; k < 8; ++k) {
      const RECT& d = v.m_rcLineDiff[k];
      EXPECT_EQ(v.m_rcLineDiffSq[k], Box(d.left + u, d.top + 3 * u, side, side)) << "line " << k;
    }
    // Corner labels one line of 5u/4 high each, u/6 apart; the sum labels
    // in the strip over the board, split at its middle.
    const int line = 5 * u / 4;
    EXPECT_EQ(v.m_rcCountdown, (RECT{u, u, 4 * u, u + line}));
    EXPECT_EQ(v.m_rcRoundLabel, (RECT{u, u + line + u / 6, 10 * u, u + 2 * line + u / 6}));
    const int strip = top - u + 4, middle = left + 12 * u + 2;
    EXPECT_EQ(v.m_rcBeforeLabel, (RECT{left + 4, strip - line, middle, strip}));
    EXPECT_EQ(v.m_rcAfterLabel, (RECT{middle + u, strip - line, left + 24 * u, strip}));
    // The right half, from four units past the centre to a unit before the
    // edge: the rules from the level of the first row's inside down to nine
    // units above the bottom, the player's line two units high above them.
    EXPECT_EQ(v.m_rcInstructions, (RECT{s.x + 4 * u, top + 4, s.w - u, s.h - 9 * u}));
    EXPECT_EQ(v.m_rcPlayerLabel,
              (RECT{s.x + 4 * u, top + 4 - u / 2 - 2 * u, s.w - u, top + 4 - u / 2}));
  }
}

// The score table along the bottom, under the board's first column: boxes
// 4 by 2 units, rounds 5 units apart and "Total" one further, the bonus row
// half a unit under the score row, headings a unit high 3 pixels above it.
TEST(LayoutTest, ScoreTableHangsFromTheBoardAndTheBottomAtManySizes) {
  for (int h = 0; h <= 2400; h += 37) {
    for (int w : {0, 1, 640, 1025, 1920, 3841}) {
      LaidOutView f(w, h);
      const CMyKelvoView& v = f.view;
      const int u = v.m_nUnit;
      SCOPED_TRACE(testing::Message() << w << "x" << h);
      for (int i = 1; i <= 11; ++i) {
        const int left = v.m_rcCell[1].left + 5 * u * (i - 1) + (i == 11 ? u : 0);
        const RECT& score = v.m_rcScoreCell[i];
        EXPECT_EQ(score, Box(left, h - 6 * u, 4 * u, 2 * u)) << "column " << i;
        EXPECT_EQ(v.m_rcBonusCell[i], Box(left, score.bottom + u / 2, 4 * u, 2 * u)) << i;
        EXPECT_EQ(v.m_rcColumnLabel[i], Box(left, score.top - 3 - u, 4 * u, u)) << i;
        EXPECT_EQ(v.m_rcScoreFrame[i],
                  (RECT{left - 2, score.top - 2, score.right + 2, score.bottom + 2}));
        const RECT& bonus = v.m_rcBonusCell[i];
        EXPECT_EQ(v.m_rcBonusFrame[i],
                  (RECT{left - 2, bonus.top - 2, bonus.right + 2, bonus.bottom + 2}));
      }
      const RECT& first = v.m_rcScoreCell[1];
      EXPECT_EQ(v.m_rcScoreHeader, Box(first.left - 5 * u, first.top, 4 * u, 2 * u));
      // The overall box from the middle of the score row to the middle of
      // the bonus row, its heading above it.
      const RECT& overall = v.m_rcOverall;
      const RECT& bonus = v.m_rcBonusCell[11];
      EXPECT_EQ(
          overall,
          (RECT{v.m_rcScoreCell[11].right + 3 * u / 2, (first.top + first.bottom) / 2,
                v.m_rcScoreCell[11].right + 3 * u / 2 + 4 * u, (bonus.top + bonus.bottom) / 2}));
      EXPECT_EQ(v.m_rcOverallFrame,
                (RECT{overall.left - 2, overall.top - 2, overall.right + 2, overall.bottom + 2}));
      EXPECT_EQ(v.m_rcOverallLabel,
                (RECT{overall.left, overall.top - 3 - u, overall.right, overall.top - 3}));
    }
  }
}

TEST(LayoutTest, AbsurdClientSizesAreClampedNotOverflowed) {
  LaidOutView negative(-500, -900);
  EXPECT_EQ(negative.view.m_nUnit, 0);
  EXPECT_EQ(negative.view.m_rcClient, (RECT{0, 0, 0, 0}));

  LaidOutView huge(INT_MAX, INT_MAX);
  const int u = huge.view.m_nUnit;
  EXPECT_EQ(u, (32767 - 10) / 59);
  EXPECT_EQ(huge.view.m_rcClient, (RECT{0, 0, 32767, 32767}));
  EXPECT_EQ(huge.view.m_rcInstructions.right, 32767 - u);
  // A square window puts the board partly off the left edge; that is the
  // layout's own result, not a wrapped-around one.
  EXPECT_EQ(huge.view.m_rcCell[1].left, 16383 - 32 * 555 + 4);
  EXPECT_EQ(huge.view.m_rcOverall.bottom, 32767 - 3 * 555 + 555 / 2);
}

TEST(LayoutTest, LayoutPassTakesTheClientAndMakesTheFourFonts) {
  CMyKelvoView view;
  HeadlessHost host(1024, 700, {.record = false});
  host.Attach(&view);
  RecordingDC dc;
  view.LayOut(&dc);
  EXPECT_EQ(view.m_nUnit, 11);
  EXPECT_EQ(dc.BkMode(), TRANSPARENT);

  auto expectFont = [](const CFont& font, int height, const char* face) {
    ASSERT_NE(font.GetSafeHandle(), nullptr);
    LOGFONT expected;
    expected.lfHeight = height;
    expected.lfOutPrecision = OUT_DEVICE_PRECIS;
    expected.lfQuality = PROOF_QUALITY;
    expected.lfFaceName = face;
    EXPECT_EQ(font.logFont(), expected) << face << " " << height;
  };
  expectFont(view.m_fontTable, 11, "Arial");
  expectFont(view.m_fontText, 16, "Arial");
  expectFont(view.m_fontLabel, 16, "Arial Bold");
  expectFont(view.m_fontCell, 44, "Arial Bold");

  // The fonts follow the window at the next pass.
  host.Resize(800, 69);
  view.LayOut(&dc);
  expectFont(view.m_fontTable, 1, "Arial");
  expectFont(view.m_fontText, 1, "Arial");
  expectFont(view.m_fontCell, 4, "Arial Bold");
  host.Resize(800, 20);
  view.LayOut(&dc);
  expectFont(view.m_fontLabel, 0, "Arial Bold");
}

}  // namespace
