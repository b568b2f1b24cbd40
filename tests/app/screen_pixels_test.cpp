// The screen as really rendered: colours of the cells, the bevelled grid,
// the guides, the score table and the keyboard's frames at 1024 x 700.
// (Paints at any size: tests/app/hostile_input_test.cpp.)
#include <gtest/gtest.h>

#include <QImage>

#include "game/MyKelvoView.h"
#include "platform/interface/virtual_keys.h"
#include "support/game_play.h"
#include "support/headless_host.h"
#include "support/qt/pixel_host.h"

namespace {

constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kBlack = RGB(0x00, 0x00, 0x00);
constexpr COLORREF kLight = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kShade = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kGuide = RGB(0xC0, 0xAC, 0x00);
constexpr COLORREF kScore = RGB(0xFF, 0xC7, 0xFF);
constexpr COLORREF kBonus = RGB(0xE1, 0xFF, 0x80);
constexpr COLORREF kOverall = RGB(0x60, 0xFF, 0xB4);
// Each cell position's own colour, slots 1 to 9.
constexpr COLORREF kCellColour[10] = {
    0,
    RGB(0xA0, 0xFF, 0x8C),
    RGB(0x78, 0x78, 0xFF),
    RGB(0xFF, 0xD4, 0xE0),
    RGB(0xFF, 0x4E, 0x4E),
    RGB(0xFA, 0xFA, 0x00),
    RGB(0x00, 0xBE, 0x3C),
    RGB(0x80, 0xFF, 0xFF),
    RGB(0xFF, 0x50, 0xFF),
    RGB(0xFF, 0xA1, 0x4A),
};

COLORREF PixelAt(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return RGB(qRed(p), qGreen(p), qBlue(p));
}

// A game in its fourth round, so the score table is on screen.
void PutInGame(CMyKelvoView& view) {
  view.m_nGameState = kStateSwapPeriod;
  view.m_nRound = 4;
  view.MakePuzzle(3, 17);
  view.m_nScore[1] = view.m_nScore[2] = 100;
  view.m_nScore[3] = 30;
  view.m_nBonus[2] = 10;
  view.m_nScore[11] = 230;
  view.m_nBonus[11] = 10;
  view.m_strRoundLabel = "Round 4";
  view.m_strBeforeLabel = "Before Sum 64";
}

struct ScreenPixelsTest : testing::Test {
  ScreenPixelsTest() : host(1024, 700) { host.Attach(&view); }
  COLORREF At(int x, int y) const { return PixelAt(host.Image(), x, y); }
  CMyKelvoView view;
  PixelHost host;
};

TEST_F(ScreenPixelsTest, CellsHaveTheirPositionColours) {
  for (int state : {kStateIdle, kStateSwapPeriod}) {
    if (state != kStateIdle) PutInGame(view);
    host.Paint();
    for (int k = 1; k <= 9; ++k) {
      const RECT& c = view.m_rcCell[k];
      const COLORREF colour = kCellColour[k];
      SCOPED_TRACE(testing::Message() << "state " << state << " cell " << k);
      // The corners of the interior, clear of the centred digit.
      for (int x : {c.left, c.right - 1})
        for (int y : {c.top, c.bottom - 1}) EXPECT_EQ(At(x, y), colour) << x << "," << y;
      // And the digit itself is drawn: some dark pixels in the middle.
      int dark = 0;
      for (int y = c.top; y < c.bottom; ++y)
        for (int x = c.left; x < c.right; ++x) dark += qGray(host.Image().pixel(x, y)) < 60;
      EXPECT_GT(dark, 20);
    }
    // No score table before the first game.
    for (int y = view.m_rcScoreFrame[1].top;
         state == kStateIdle && y < view.m_rcBonusFrame[1].bottom; ++y)
      for (int x = view.m_rcScoreFrame[1].left; x < view.m_rcOverallFrame.right; ++x)
        ASSERT_EQ(At(x, y), kWhite) << x << "," << y;
  }
}

TEST_F(ScreenPixelsTest, GridLinesAreBevelled) {
  host.Paint();
  // u = 11: vertical lines at x = 160, 248, 336, 424 from y = 97 to 364;
  // y = 111 lies inside row 1, clear of every horizontal line.
  for (int j = 0; j < 4; ++j) {
    const int x = 160 + 88 * j;
    SCOPED_TRACE(j);
    EXPECT_EQ(At(x, 111), kLight);
    EXPECT_EQ(At(x + 1, 111), kShade);
    EXPECT_EQ(At(x + 2, 111), kShade);
    EXPECT_EQ(At(x + 3, 111), kBlack);
    EXPECT_EQ(At(x - 1, 111), j == 0 ? kWhite : kCellColour[j]);
    EXPECT_EQ(At(x + 4, 111), j == 3 ? kWhite : kCellColour[j + 1]);
    // The grid line ends at Y + u + 4 (not drawn); the guide starts 2 lower.
    EXPECT_EQ(At(x + 1, 360), kShade);
    EXPECT_EQ(At(x + 1, 365), kWhite);
    EXPECT_EQ(At(x + 2, 366), kWhite);
    EXPECT_EQ(At(x + 2, 367), kGuide);
    EXPECT_EQ(At(x + 2, 443), kGuide);
    EXPECT_EQ(At(x + 2, 444), kWhite);
  }
  // Horizontal lines, the same bevel from top to bottom.
  for (int y : {97, 185, 273, 361}) {
    EXPECT_EQ(At(300, y), kLight);
    EXPECT_EQ(At(300, y + 1), kShade);
    EXPECT_EQ(At(300, y + 2), kShade);
    EXPECT_EQ(At(300, y + 3), kBlack);
  }
  // Mitred bottom corners: the outer (last) line reaches furthest out.
  EXPECT_EQ(At(160, 364), kBlack);
  EXPECT_EQ(At(427, 364), kBlack);
  // The guides lead on to the sum boxes.
  for (int y : {99, 187, 275, 363}) {
    EXPECT_EQ(At(430, y), kGuide) << y;
    EXPECT_EQ(At(494, y), kGuide) << y;
    EXPECT_EQ(At(495, y), kWhite) << y;
  }
  // Leftward from the board toward the 3-5-7 diagonal's boxes.
  EXPECT_EQ(At(156, 363), kGuide);
  EXPECT_EQ(At(91, 363), kGuide);
  EXPECT_EQ(At(90, 363), kWhite);
}

TEST_F(ScreenPixelsTest, ScoreTableBoxesAreFramedAndFilled) {
  PutInGame(view);
  host.Paint();
  auto expectFramed = [this](const RECT& box, COLORREF fill) {
    // Black outline 2 pixels out, a white ring 1 pixel out, then the colour.
    const int midY = box.top + 1;
    EXPECT_EQ(At(box.left - 2, midY), kBlack);
    EXPECT_EQ(At(box.right + 1, midY), kBlack);
    EXPECT_EQ(At(box.left + 2, box.top - 2), kBlack);
    EXPECT_EQ(At(box.left + 2, box.bottom + 1), kBlack);
    EXPECT_EQ(At(box.left - 1, midY), kWhite);
    EXPECT_EQ(At(box.right, midY), kWhite);
    EXPECT_EQ(At(box.left + 2, box.top - 1), kWhite);
    EXPECT_EQ(At(box.left + 2, box.bottom), kWhite);
    EXPECT_EQ(At(box.left, box.top), fill);
    EXPECT_EQ(At(box.right - 1, box.bottom - 1), fill);
  };
  for (int i = 1; i <= 11; ++i) {
    SCOPED_TRACE(i);
    expectFramed(view.m_rcScoreCell[i], kScore);
    if (i >= 2) expectFramed(view.m_rcBonusCell[i], kBonus);
  }
  expectFramed(view.m_rcOverall, kOverall);

  // Column 1 holds only the word "Bonus": no box, no outline.
  const RECT& f = view.m_rcBonusFrame[1];
  for (int y = f.top; y < f.bottom; ++y)
    for (int x = f.left; x < f.right; ++x) ASSERT_NE(At(x, y), kBonus) << x << "," << y;
  EXPECT_EQ(At(f.left, f.top + 3), kWhite);
}

TEST(ScoreTableHeadingsTest, KeepTheirFirstPixelsThroughAWholeGameAtAnySize) {
  // The round flow and the swap draw the whole table again, headings
  // included, over what is there, with the countdown and the square drawn
  // in between; the headings must not thicken.  u = 1, 2 and 3 (the table's
  // outlines reach into the heading boxes) and full HD.
  const std::pair<int, int> sizes[] = {{1024, 69}, {400, 130}, {640, 190}, {1920, 1080}};
  for (auto [w, h] : sizes) {
    SCOPED_TRACE(testing::Message() << w << "x" << h);
    GameTable game(w, h, std::make_unique<ImageCanvas>());
    game.Enter();
    const std::vector<QImage> first = HeadingPixels(PixelHost::ImageOf(game.host), game.view);
    for (int r = 1; r <= kRounds; ++r) {
      SCOPED_TRACE(r);
      for (int tick = 0; tick < 40; ++tick) game.Tick();
      // Swapped with the mouse, typed, or left to run out.
      if (r % 3 != 0) game.SwapToMagic(/*typed=*/r % 3 == 2);
      game.RunOutSwapPeriod();
      ASSERT_EQ(ChangedPixels(HeadingPixels(PixelHost::ImageOf(game.host), game.view), first), 0);
      if (r < kRounds) game.Enter();
    }
    EXPECT_EQ(game.view.m_nScore[kTotalSlot], 700);
  }
}

// The keyboard's frames as drawn: a game in its first swap period on
// 1 8 6 / 3 5 7 / 4 9 2.
class KeyboardFramePixelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table.Enter();
    view.MakePuzzle(0, 0);
    table.host.Paint();
  }
  COLORREF At(int x, int y) const { return PixelAt(PixelHost::ImageOf(table.host), x, y); }
  // Pixels 2 to 8 in from the left edge of the cell at its middle height.
  std::vector<COLORREF> EdgeOf(int cell) const {
    const RECT& r = view.m_rcCell[cell];
    std::vector<COLORREF> out;
    for (int dx = 2; dx <= 8; ++dx) out.push_back(At(r.left + dx, (r.top + r.bottom) / 2));
    return out;
  }
  GameTable table{1024, 700, std::make_unique<ImageCanvas>()};
  CMyKelvoView& view = table.view;
};

TEST_F(KeyboardFramePixelsTest, CursorAndPickFramesShowInsideTheCellOnlyWhileThePeriodRuns) {
  const auto plain = [&](int cell) {
    return std::vector<COLORREF>(7, view.m_brCell[cell].color());
  };
  // Nothing of the keyboard shows before its keys are used.
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(EdgeOf(k), plain(k)) << k;

  // The pick on cell 5 (the 5): black, white, black six pixels in; the
  // cursor came with it, two pixels in, black or white by its dashes.
  table.Key('5');
  const auto picked = EdgeOf(5);
  EXPECT_EQ(picked[4], kBlack);
  EXPECT_EQ(picked[5], kWhite);
  EXPECT_EQ(picked[6], kBlack);
  for (int i : {0, 1}) EXPECT_TRUE(picked[i] == kBlack || picked[i] == kWhite) << i;
  EXPECT_EQ(picked[2], view.m_brCell[5].color());
  // The bevel just outside the cell is untouched.
  const RECT& c5 = view.m_rcCell[5];
  EXPECT_EQ(At(c5.left - 1, (c5.top + c5.bottom) / 2), kBlack);

  // The cursor moves on, the pick stays; a full repaint draws both again.
  table.Key(VK_RIGHT);
  table.host.Paint();
  EXPECT_EQ(EdgeOf(5)[5], kWhite);
  EXPECT_EQ(EdgeOf(6)[5], view.m_brCell[6].color());
  EXPECT_NE(EdgeOf(6), plain(6));

  // Escape lets go of the pick; the close of the period wipes the cursor.
  table.Key(VK_ESCAPE);
  EXPECT_EQ(EdgeOf(5), plain(5));
  table.RunOutSwapPeriod();
  EXPECT_EQ(EdgeOf(6), plain(6));
  table.host.Paint();
  EXPECT_EQ(EdgeOf(6), plain(6));

  // The next round shows the cursor again at once, in the centre; a swap
  // wipes it.
  table.Enter();
  EXPECT_EQ(EdgeOf(6), plain(6));
  EXPECT_NE(EdgeOf(5), plain(5));
  table.SwapToMagic(/*typed=*/true);
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(EdgeOf(k), plain(k)) << k;
}

}  // namespace
