// The window at the screen's scale factor: the suite runs these once as they
// are and once more with QT_SCALE_FACTOR=2 (see CMakeLists.txt), since the
// offscreen platform honours it.  What the window shows must be the game's
// drawing at the full device size, 1:1, and mouse points must reach the view
// in device pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cmath>

#include "app/MainFrame.h"
#include "app/MyKelvoApp.h"
#include "game/MyKelvoView.h"
#include "platform/qt/view_widget.h"
#include "support/game_play.h"
#include "support/headless_host.h"
#include "support/qt/pixel_host.h"
#include "support/scripted_modal_ui.h"

namespace {

class DevicePixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.InitInstance(CommandLine{}));
    QApplication::processEvents();
    widget = app.Frame()->View();
    ratio = widget->devicePixelRatioF();
  }
  // A logical point that lands on device point `p`.
  QPoint Logical(CPoint p) const {
    return {static_cast<int>(std::ceil(p.x / ratio)), static_cast<int>(std::ceil(p.y / ratio))};
  }
  ScriptedModalUI modal;
  CueRecorder cues;
  CMyKelvoApp app;
  ViewWidget* widget = nullptr;
  qreal ratio = 1;
};

TEST_F(DevicePixels, TheWindowShowsTheOpeningScreenDrawnAtItsDeviceSize) {
  const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QSize device(static_cast<int>(std::lround(widget->width() * ratio)),
                     static_cast<int>(std::lround(widget->height() * ratio)));
  ASSERT_EQ(shown.size(), device);

  // The same screen drawn by a window without a screen at that size.
  CMyKelvoView reference;
  PixelHost host(device.width(), device.height());
  host.Attach(&reference);
  host.Paint();

  EXPECT_TRUE(shown == host.Image())
      << "at ratio " << ratio << " the window's pixels differ from the layout drawn at "
      << device.width() << " x " << device.height();
}

TEST_F(DevicePixels, ADragBetweenTheMisplacedCellsLandsOnThemAtAnyScale) {
  CMyKelvoView* view = app.View();
  QTest::keyClick(widget, Qt::Key_Return);
  const auto pair = FindMagicExchange(view->m_nCell);
  ASSERT_TRUE(pair);
  QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier,
                    Logical(CellCentre(*view, pair->first)));
  QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier,
                      Logical(CellCentre(*view, pair->second)));
  EXPECT_EQ(view->m_nScore[1], 100);
}

}  // namespace
