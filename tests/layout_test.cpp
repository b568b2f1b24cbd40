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

TEST(LayoutTest, BoxesBesideTheBoardAt1024By700) {
  LaidOutView f(1024, 700);
  const CMyKelvoView& v = f.view;
  // Cells: 8u apart, the interior starting 4 pixels after its grid line.
  EXPECT_EQ(v.m_rcCell[2], (RECT{252, 101, 336, 185}));
  EXPECT_EQ(v.m_rcCell[4], (RECT{164, 189, 248, 273}));
  EXPECT_EQ(v.m_rcCell[5], (RECT{252, 189, 336, 273}));
  // Row 1, column 1, and the two diagonals' differences.
  EXPECT_EQ(v.m_rcLineDiff[0], (RECT{435, 112, 468, 145}));
  EXPECT_EQ(v.m_rcLineDiff[2], (RECT{435, 288, 468, 321}));
  EXPECT_EQ(v.m_rcLineDiff[3], (RECT{186, 372, 219, 405}));
  EXPECT_EQ(v.m_rcLineDiff[5], (RECT{362, 372, 395, 405}));
  EXPECT_EQ(v.m_rcLineDiff[6], (RECT{435, 372, 468, 405}));
  EXPECT_EQ(v.m_rcLineDiff[7], (RECT{109, 372, 142, 405}));
  EXPECT_EQ(v.m_rcLineDiffSq[0], (RECT{446, 145, 479, 178}));
  EXPECT_EQ(v.m_rcLineDiffSq[4], (RECT{285, 405, 318, 438}));
  EXPECT_EQ(v.m_rcLineDiffSq[7], (RECT{120, 405, 153, 438}));
  // The corner labels, with 5u/4 = 13 and u/6 = 1 truncated.
  EXPECT_EQ(v.m_rcCountdown, (RECT{11, 11, 44, 24}));
  EXPECT_EQ(v.m_rcRoundLabel, (RECT{11, 25, 110, 38}));
  EXPECT_EQ(v.m_rcBeforeLabel, (RECT{164, 77, 294, 90}));
  EXPECT_EQ(v.m_rcAfterLabel, (RECT{305, 77, 424, 90}));
}

TEST(LayoutTest, ScoreTableAt1024By700) {
  LaidOutView f(1024, 700);
  const CMyKelvoView& v = f.view;
  EXPECT_EQ(v.m_rcScoreCell[2], (RECT{219, 634, 263, 656}));
  EXPECT_EQ(v.m_rcScoreCell[10], (RECT{659, 634, 703, 656}));
  EXPECT_EQ(v.m_rcScoreFrame[1], (RECT{162, 632, 210, 658}));
  EXPECT_EQ(v.m_rcBonusCell[2], (RECT{219, 661, 263, 683}));
  EXPECT_EQ(v.m_rcBonusFrame[11], (RECT{723, 659, 771, 685}));
  EXPECT_EQ(v.m_rcColumnLabel[1], (RECT{164, 620, 208, 631}));
  EXPECT_EQ(v.m_rcColumnLabel[11], (RECT{725, 620, 769, 631}));
  EXPECT_EQ(v.m_rcScoreHeader, (RECT{109, 634, 153, 656}));
  EXPECT_EQ(v.m_rcOverallFrame, (RECT{783, 643, 831, 674}));
  EXPECT_EQ(v.m_rcOverallLabel, (RECT{785, 631, 829, 642}));
}

TEST(LayoutTest, RelationsHoldAtManySizes) {
  for (int h = 0; h <= 2400; h += 37) {
    for (int w : {0, 1, 640, 1025, 1920, 3841}) {
      LaidOutView f(w, h);
      const CMyKelvoView& v = f.view;
      const int u = v.m_nUnit;
      SCOPED_TRACE(testing::Message() << w << "x" << h);
      for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(v.m_rcLineDiffSq[k].left, v.m_rcLineDiff[k].left + u);
        EXPECT_EQ(v.m_rcLineDiffSq[k].top, v.m_rcLineDiff[k].top + 3 * u);
      }
      // Rounds 5u apart, "Total" one unit further.
      for (int i = 2; i <= 10; ++i)
        EXPECT_EQ(v.m_rcScoreCell[i].left - v.m_rcScoreCell[i - 1].left, 5 * u);
      EXPECT_EQ(v.m_rcScoreCell[11].left - v.m_rcScoreCell[10].left, 6 * u);
      for (int i = 1; i <= 11; ++i) {
        EXPECT_EQ(v.m_rcScoreFrame[i].left, v.m_rcScoreCell[i].left - 2);
        EXPECT_EQ(v.m_rcScoreFrame[i].bottom, v.m_rcScoreCell[i].bottom + 2);
        EXPECT_EQ(v.m_rcBonusFrame[i].top, v.m_rcBonusCell[i].top - 2);
        EXPECT_EQ(v.m_rcBonusFrame[i].right, v.m_rcBonusCell[i].right + 2);
        EXPECT_EQ(v.m_rcColumnLabel[i].left, v.m_rcScoreCell[i].left);
      }
      // The overall box spans from the middle of the score row.
      EXPECT_EQ(v.m_rcOverall.top, (v.m_rcScoreCell[1].top + v.m_rcScoreCell[1].bottom) / 2);
      EXPECT_EQ(v.m_rcOverallLabel.bottom, v.m_rcOverall.top - 3);
      EXPECT_EQ(v.m_rcPlayerLabel.bottom, v.m_rcInstructions.top - u / 2);
      EXPECT_EQ(v.m_rcInstructions.right, w - u);
    }
  }
}

TEST(LayoutTest, ClientsLowerThan69PixelsHaveUnitZeroAndStillLayOut) {
  LaidOutView low(1024, 68);
  EXPECT_EQ(low.view.m_nUnit, 0);
  // Every box collapses onto its anchor point.
  EXPECT_EQ(low.view.m_rcCell[1], (RECT{516, 38, 512, 34}));
  EXPECT_EQ(low.view.m_rcOverall, (RECT{516, 68, 516, 68}));
  LaidOutView tiny(1, 1);
  EXPECT_EQ(tiny.view.m_nUnit, 0);
  EXPECT_EQ(LaidOutView(1024, 69).view.m_nUnit, 1);
}

TEST(LayoutTest, OddSizesTruncateTheCentre) {
  LaidOutView f(1025, 701);
  EXPECT_EQ(f.view.m_rcCell[1], (RECT{164, 101, 248, 185}));
  EXPECT_EQ(f.view.m_rcInstructions.right, 1025 - 11);
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
  HeadlessHost host(1024, 700, {.pixels = false, .record = false});
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
