// The recording surface notes, with every call, the font, pen, colour and
// background mode in force, so that screen tests can check what was drawn
// where; given a real surface it also draws.
#include "support/recording_dc.h"

#include <gtest/gtest.h>

#include <QImage>

#include "platform/painter_dc.h"

TEST(RecordingDC, TextCallsCarryTheFontColourAndModeInForce) {
  RecordingDC dc;
  RECT box{1, 2, 30, 40};
  dc.DrawText("before", -1, &box, DT_LEFT);
  CFont font;
  CreateGameFont(font, 24, "Arial Bold");
  EXPECT_EQ(dc.SelectObject(&font), nullptr);
  dc.SetTextColor(RGB(255, 0, 255));
  dc.SetBkMode(TRANSPARENT);
  dc.DrawText("Player: Ann", 8, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  font.DeleteObject();
  dc.DrawText("after", -1, &box, DT_LEFT);

  const std::vector<DrawCall> texts = dc.Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_FALSE(texts[0].hasFont);
  EXPECT_EQ(texts[0].color, RGB(0, 0, 0));
  EXPECT_EQ(texts[0].bkMode, OPAQUE);
  EXPECT_TRUE(texts[1].hasFont);
  EXPECT_EQ(texts[1].font.lfHeight, 24);
  EXPECT_EQ(texts[1].font.lfFaceName, "Arial Bold");
  EXPECT_EQ(texts[1].text, "Player: ");
  EXPECT_EQ(texts[1].color, RGB(255, 0, 255));
  EXPECT_EQ(texts[1].bkMode, TRANSPARENT);
  EXPECT_EQ(texts[1].format, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EXPECT_EQ(texts[1].rect, box);
  // A deleted font no longer counts as the one in force.
  EXPECT_FALSE(texts[2].hasFont);
  EXPECT_EQ(dc.TextsEqual("Player: ").size(), 1u);
  EXPECT_EQ(dc.TextsIn(box).size(), 3u);
  EXPECT_TRUE(dc.TextsIn(RECT{0, 0, 1, 1}).empty());
}

TEST(RecordingDC, LinesFillsAndRectanglesCarryTheirPenAndBrush) {
  RecordingDC dc;
  CPen shade(PS_SOLID, 1, RGB(128, 128, 128));
  CPen frame(PS_SOLID, 4, RGB(230, 55, 255));
  CBrush cell(RGB(250, 250, 0));
  const RECT box{5, 6, 7, 8};
  dc.SelectObject(&shade);
  dc.MoveTo(3, 4);
  dc.LineTo(10, 4);
  EXPECT_EQ(dc.SelectObject(&frame), &shade);
  dc.Rectangle(&box);
  dc.FillRect(&box, &cell);
  dc.FillRect(&box, nullptr);
  dc.SetPixel(1, 2, RGB(1, 2, 3));

  const std::vector<DrawCall>& calls = dc.Calls();
  ASSERT_EQ(calls.size(), 8u);
  EXPECT_EQ(calls[2].kind, DrawCall::kLineTo);
  EXPECT_EQ(calls[2].from, (POINT{3, 4}));
  EXPECT_EQ(calls[2].to, (POINT{10, 4}));
  EXPECT_EQ(calls[2].color, RGB(128, 128, 128));
  EXPECT_EQ(calls[4].kind, DrawCall::kRectangle);
  EXPECT_EQ(calls[4].penWidth, 4);
  EXPECT_EQ(calls[4].color, RGB(230, 55, 255));
  const std::vector<DrawCall> fills = dc.FillsOf(box);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].color, RGB(250, 250, 0));
  EXPECT_EQ(fills[1].color, RGB(255, 255, 255));
  EXPECT_EQ(calls[7].to, (POINT{1, 2}));
  EXPECT_EQ(calls[7].color, RGB(1, 2, 3));
  dc.Clear();
  EXPECT_TRUE(dc.Calls().empty());
}

TEST(RecordingDC, ForwardsEveryCallToItsTarget) {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(Qt::blue);
  CFont font;
  CreateGameFont(font, 20, "Arial");
  CSize recorded, direct;
  int recordedHeight = 0;
  {
    PainterDC target(&image);
    RecordingDC dc(&target);
    dc.SelectObject(&font);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    dc.SelectObject(&red);
    const RECT white{0, 0, 10, 10};
    dc.FillRect(&white, nullptr);
    dc.MoveTo(0, 20);
    dc.LineTo(5, 20);
    dc.SetPixel(30, 25, RGB(0, 255, 0));
    RECT box{10, 0, 40, 20};
    recordedHeight = dc.DrawText("7", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    recorded = dc.GetTextExtent("Round 1");
    direct = target.GetTextExtent("Round 1");
    // What the target holds is what the recorder selected.
    EXPECT_EQ(target.SelectObject(static_cast<CFont*>(nullptr)), &font);
    target.SelectObject(&font);
    EXPECT_EQ(target.SelectObject(static_cast<CPen*>(nullptr)), &red);
  }
  EXPECT_EQ(recorded, direct);
  EXPECT_EQ(recordedHeight, (20 - direct.cy) / 2 + direct.cy);
  EXPECT_EQ(image.pixel(9, 9), 0xFFFFFFFF);
  EXPECT_EQ(image.pixel(10, 10), 0xFF0000FF);
  EXPECT_EQ(image.pixel(4, 20), 0xFFFF0000);
  EXPECT_EQ(image.pixel(5, 20), 0xFF0000FF);
  EXPECT_EQ(image.pixel(30, 25), 0xFF00FF00);
}
