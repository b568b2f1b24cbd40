// Play through the real main window on the offscreen platform: Enter and a
// drag with the mouse, or the numbers typed, as the player does it, and
// keys held with Alt, Ctrl or Super, which are not the game's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <utility>

#include "app/MainFrame.h"
#include "app/MyKelvoApp.h"
#include "certificate/PlayerNameDlg.h"
#include "game/MyKelvoView.h"
#include "platform/qt/view_widget.h"
#include "sound/sound_ids.h"
#include "support/game_play.h"
#include "support/qt/pixel_host.h"
#include "support/scripted_modal_ui.h"

namespace {

// Pixels inside `box` (the part of it on the image) that are not the box's
// own fill colour.
int PixelsNotOfColour(const QImage& image, const RECT& box, COLORREF fill) {
  const QRgb wanted = qRgb(GetRValue(fill), GetGValue(fill), GetBValue(fill)) & 0xFFFFFF;
  const QRect visible = QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1))
                            .intersected(image.rect());
  int count = 0;
  for (int y = visible.top(); y <= visible.bottom(); ++y)
    for (int x = visible.left(); x <= visible.right(); ++x)
      count += (image.pixel(x, y) & 0xFFFFFF) != wanted;
  return count;
}

int VisibleArea(const QImage& image, const RECT& box) {
  const QRect visible = QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1))
                            .intersected(image.rect());
  return visible.isEmpty() ? 0 : visible.width() * visible.height();
}

QPoint Centre(const CMyKelvoView& view, int cell) {
  const CPoint p = CellCentre(view, cell);
  return {p.x, p.y};
}

class MainWindowGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.InitInstance(CommandLine{}));
    QApplication::processEvents();
    widget = app.Frame()->View();
    view = app.View();
    ASSERT_NE(widget, nullptr);
  }
  ScriptedModalUI modal;
  CueRecorder cues;
  CMyKelvoApp app;
  ViewWidget* widget = nullptr;
  CMyKelvoView* view = nullptr;
};

TEST_F(MainWindowGameTest, EnterThenADragBetweenTheMisplacedCellsScoresAHundredOnScreen) {
  QTest::keyClick(widget, Qt::Key_Return);
  ASSERT_EQ(view->m_nGameState, kStateSwapPeriod);
  ASSERT_EQ(view->m_nRound, 1);
  EXPECT_EQ(cues.Ids(), std::vector<UINT>{IDR_SOUND_GO});

  const RECT scoreBox = view->m_rcScoreCell[1];
  const COLORREF scoreFill = RGB(0xFF, 0xC7, 0xFF);
  // The offscreen screen is narrow, so the table may run off its left
  // edge; enough of round 1's box must show to read it.
  ASSERT_GT(VisibleArea(widget->Image(), scoreBox), 200);
  // A new game leaves round 1's box empty until something is scored.
  EXPECT_EQ(PixelsNotOfColour(widget->Image(), scoreBox, scoreFill), 0);

  const auto pair = FindMagicExchange(view->m_nCell);
  ASSERT_TRUE(pair);
  QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, Centre(*view, pair->first));
  QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, Centre(*view, pair->second));

  EXPECT_EQ(view->m_nScore[1], 100);
  EXPECT_EQ(view->m_nAfterSum, 0);
  EXPECT_EQ(view->m_nGameState, kStateRest);
  EXPECT_EQ(cues.Count(IDR_SOUND_REFUSED), 0);
  // "100" is now written in round 1's score box; round 2's is still empty.
  EXPECT_GT(PixelsNotOfColour(widget->Image(), scoreBox, scoreFill), 20);
  EXPECT_EQ(PixelsNotOfColour(widget->Image(), view->m_rcScoreCell[2], scoreFill), 0);
}

TEST_F(MainWindowGameTest, AReleaseOffTheCellsIsRefusedAndOneOutsideTheViewIsNotTheViews) {
  QTest::keyClick(widget, Qt::Key_Return);
  QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, Centre(*view, 1));
  QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  EXPECT_EQ(cues.Count(IDR_SOUND_REFUSED), 1);
  EXPECT_EQ(view->m_nGameState, kStateSwapPeriod);
  EXPECT_EQ(view->m_nScore[11], 0);

  // The mouse is not captured: a release beyond the view's edges never
  // reaches the game, so it neither sounds nor ends the round.
  QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, Centre(*view, 1));
  QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, QPoint(-3, -3));
  QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, Centre(*view, 1));
  QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier,
                      QPoint(widget->width() + 5, widget->height() / 2));
  EXPECT_EQ(cues.Count(IDR_SOUND_REFUSED), 1);
  EXPECT_EQ(view->m_nGameState, kStateSwapPeriod);
  EXPECT_EQ(view->m_nRound, 1);
}

// Played on the keyboard alone, Enter right after each swap: and all the
// while the score table's headings keep their first pixels, though the
// round flow and the swap draw the whole table again over what is there.
TEST_F(MainWindowGameTest, APerfectGameTypedOnTheKeyboardAloneWithEnterRightAfterEachSwap) {
  const COLORREF white = RGB(0xFF, 0xFF, 0xFF);
  QTest::keyClick(widget, Qt::Key_Return);
  const std::vector<QImage> first = HeadingPixels(widget->Image(), *view);
  // Something to compare: "Round 2" stands wholly on screen, in ink.
  const RECT& roundTwo = view->m_rcColumnLabel[2];
  ASSERT_EQ(VisibleArea(widget->Image(), roundTwo),
            (roundTwo.right - roundTwo.left) * (roundTwo.bottom - roundTwo.top));
  ASSERT_GT(PixelsNotOfColour(widget->Image(), roundTwo, white), 20);
  for (int r = 1; r <= 10; ++r) {
    SCOPED_TRACE(r);
    ASSERT_EQ(view->m_nGameState, kStateSwapPeriod);
    // Four seconds of countdown drawn before the swap, as a player takes them.
    for (int tick = 0; tick < 40; ++tick) view->OnTimer(kSwapTimer);
    const auto pair = FindMagicExchange(view->m_nCell);
    ASSERT_TRUE(pair);
    // Odd rounds on the main row, even ones on the keypad.
    const Qt::KeyboardModifiers row = r % 2 ? Qt::NoModifier : Qt::KeypadModifier;
    QTest::keyClick(widget, static_cast<Qt::Key>(Qt::Key_0 + view->m_nCell[pair->first]), row);
    QTest::keyClick(widget, static_cast<Qt::Key>(Qt::Key_0 + view->m_nCell[pair->second]), row);
    ASSERT_EQ(view->m_nScore[r], 100);
    // Enter at once, as a player who hears the result does: the next round
    // starts when the period closes, two ticks on (delivered now rather than
    // waited for), with no rest; after round 10 the game simply ends.
    QTest::keyClick(widget, Qt::Key_Return);
    view->OnTimer(kSwapTimer);
    view->OnTimer(kSwapTimer);
    EXPECT_FALSE(widget->QtTimers().IsRunning(kRestTimer));
    if (r < 10) {
      EXPECT_EQ(view->m_nRound, r + 1);
    }
    EXPECT_EQ(ChangedPixels(HeadingPixels(widget->Image(), *view), first), 0);
  }
  EXPECT_EQ(view->m_nGameState, kStateGameOver);
  EXPECT_EQ(view->m_nScore[11], 1000);
  EXPECT_EQ(view->m_nBonus[11], 5110);
  EXPECT_EQ(cues.Count(IDR_SOUND_REFUSED), 0);
  EXPECT_EQ(cues.Count(IDR_SOUND_PERFECT), 1);

  // The last check above already had the PERFECT! banner up; a full repaint
  // (it leaves the banner out) draws the headings once more, on a freshly
  // erased screen.
  const int bannerInk = PixelsNotOfColour(widget->Image(), view->m_rcBanner, white);
  widget->Invalidate();
  widget->repaint();
  ASSERT_LT(PixelsNotOfColour(widget->Image(), view->m_rcBanner, white), bannerInk / 2);
  EXPECT_EQ(ChangedPixels(HeadingPixels(widget->Image(), *view), first), 0);
}

// A chord with Alt, Ctrl or Super belongs to the desktop and the
// accelerators: none of the game's keys act with one held.  Shift and AltGr
// (some layouts type their digits with them) are part of the key.
TEST_F(MainWindowGameTest, KeysWithAltCtrlOrSuperHeldAreNotTheGamesKeys) {
  const Qt::KeyboardModifiers chords[] = {Qt::AltModifier, Qt::ControlModifier, Qt::MetaModifier};
  QTest::keyClick(widget, Qt::Key_Return);
  const auto pair = FindMagicExchange(view->m_nCell);
  ASSERT_TRUE(pair);
  const auto digitIn = [&](int cell) {
    return static_cast<Qt::Key>(Qt::Key_0 + view->m_nCell[cell]);
  };
  for (const Qt::KeyboardModifiers chord : chords)
    for (const Qt::Key key : {digitIn(pair->first), Qt::Key_Right, Qt::Key_F1})
      QTest::keyClick(widget, key, chord);
  EXPECT_FALSE(view->m_bKeysUsed);
  EXPECT_TRUE(modal.boxes.empty());

  QTest::keyClick(widget, digitIn(pair->first), Qt::ShiftModifier);
  QTest::keyClick(widget, digitIn(pair->second), Qt::GroupSwitchModifier);
  EXPECT_EQ(view->m_nScore[1], 100);
  view->OnTimer(kSwapTimer);
  view->OnTimer(kSwapTimer);
  for (const Qt::KeyboardModifiers chord : chords) QTest::keyClick(widget, Qt::Key_Return, chord);
  EXPECT_EQ(view->m_nGameState, kStateRest);

  // The accelerators are as they were: Ctrl+P prints once it may.
  const std::string savedName = std::exchange(thePlayerNameDlg.m_strPlayerName, "Ada");
  view->m_nGameState = kStateGameOver;
  view->m_nBonus[kTotalSlot] = kPerfectBonus;
  QTest::keyClick(widget, Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(modal.printDialogs, std::vector<UINT>{1});
  thePlayerNameDlg.m_strPlayerName = savedName;
}

}  // namespace
