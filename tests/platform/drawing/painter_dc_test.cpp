// Pixel checks of the QPainter drawing surface: lines, outlines, fills and
// pixels must land on exactly the pixels the game's drawing code expects;
// text must stay in its box and sit where its format puts it.
#include "platform/drawing/painter_dc.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <climits>
#include <functional>
#include <string>
#include <utility>

#include "platform/drawing/font_mapping.h"

namespace {

constexpr QRgb kWhitePixel = 0xFFFFFFFF;
constexpr QRgb kBlackPixel = 0xFF000000;
constexpr QRgb kBluePixel = 0xFF0000FF;
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

QImage Canvas(int width, int height, QRgb background = kWhitePixel) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(background);
  return image;
}

// Runs `draw` on a surface over `image`; the surface is gone (its painter
// ended) before the pixels are read.
void Paint(QImage& image, const std::function<void(PainterDC&)>& draw) {
  PainterDC dc(&image);
  draw(dc);
}

QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000; }

int CountNot(const QImage& image, QRgb background) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (At(image, x, y) != background) ++count;
  return count;
}

// The smallest box holding every pixel that differs from `background`
// (right and bottom exclusive); all zero when there is none.
RECT InkBox(const QImage& image, QRgb background) {
  RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (At(image, x, y) == background) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return box.left == INT_MAX ? RECT{} : box;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

CFont ArialFont(int height, const char* face = "Arial") {
  CFont font;
  CreateGameFont(font, height, face);
  return font;
}

}  // namespace

TEST(PainterDCLines, LinesStopBeforeTheirEndInEitherDirection) {
  QImage image = Canvas(40, 40);
  Paint(image, [](PainterDC& dc) {
    dc.MoveTo(10, 5);
    dc.LineTo(20, 5);
    dc.MoveTo(20, 10);
    dc.LineTo(10, 10);
    dc.MoveTo(3, 2);
    dc.LineTo(3, 30);
    dc.MoveTo(8, 30);
    dc.LineTo(8, 2);
  });
  for (int x = 10; x < 20; ++x) EXPECT_EQ(At(image, x, 5), kBlackPixel) << "x=" << x;
  for (int x = 11; x <= 20; ++x) EXPECT_EQ(At(image, x, 10), kBlackPixel) << "x=" << x;
  for (int y = 2; y < 30; ++y) EXPECT_EQ(At(image, 3, y), kBlackPixel) << "y=" << y;
  for (int y = 3; y <= 30; ++y) EXPECT_EQ(At(image, 8, y), kBlackPixel) << "y=" << y;
  for (const auto& [x, y] : {std::pair{9, 5}, {20, 5}, {10, 10}, {21, 10}, {3, 30}, {8, 2}})
    EXPECT_EQ(At(image, x, y), kWhitePixel) << x << "," << y;
  EXPECT_EQ(CountNot(image, kWhitePixel), 20 + 28 + 28);
}

TEST(PainterDCLines, FarAwayEndPointsAreClippedWithoutHanging) {
  QImage image = Canvas(50, 50);
  Paint(image, [](PainterDC& dc) {
    dc.MoveTo(7, INT_MIN / 2);
    dc.LineTo(7, INT_MAX / 2);
    dc.MoveTo(INT_MIN, 3);
    dc.LineTo(INT_MAX, 3);
  });
  for (int i = 0; i < 50; ++i) EXPECT_EQ(At(image, 7, i), kBlackPixel) << "y=" << i;
  for (int x = 0; x < 50; ++x) EXPECT_EQ(At(image, x, 3), kBlackPixel) << "x=" << x;
  EXPECT_EQ(CountNot(image, kWhitePixel), 99);
}

TEST(PainterDCLines, PenColourAndWidthAreUsedAndZeroLengthDrawsNothing) {
  QImage image = Canvas(60, 40);
  CPen red(PS_SOLID, 1, kRed);
  CPen wide(PS_SOLID, 4, kBlue);
  Paint(image, [&](PainterDC& dc) {
    dc.SelectObject(&red);
    dc.MoveTo(5, 5);
    dc.LineTo(5, 5);
    dc.LineTo(15, 5);
    dc.SelectObject(&wide);
    dc.MoveTo(10, 20);
    dc.LineTo(50, 20);
  });
  EXPECT_EQ(At(image, 5, 5), 0xFFFF0000);
  EXPECT_EQ(At(image, 14, 5), 0xFFFF0000);
  EXPECT_EQ(At(image, 15, 5), kWhitePixel);
  int covered = 0;
  for (int y = 10; y < 30; ++y)
    if (At(image, 30, y) == kBluePixel) ++covered;
  EXPECT_EQ(covered, 4);
  EXPECT_EQ(At(image, 30, 20), kBluePixel);
  EXPECT_EQ(At(image, 30, 19), kBluePixel);
}

// An outline in the pen (black by default, then red), white inside, nothing
// outside; an empty box draws nothing.
TEST(PainterDCShapes, RectangleDrawsOutlineInThePenAndWhiteInsideAndSkipsEmptyBoxes) {
  QImage image = Canvas(40, 30, kBluePixel);
  CPen red(PS_SOLID, 1, kRed);
  const RECT black{10, 8, 20, 16}, redBox{24, 2, 28, 6}, empty{30, 10, 30, 20};
  Paint(image, [&](PainterDC& dc) {
    dc.Rectangle(&black);
    dc.SelectObject(&red);
    dc.Rectangle(&redBox);
    dc.Rectangle(&empty);
  });
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      QRgb expected = kBluePixel;
      for (const auto& [box, pen] : {std::pair{black, kBlackPixel}, {redBox, 0xFFFF0000}}) {
        if (x < box.left || x >= box.right || y < box.top || y >= box.bottom) continue;
        const bool edge =
            x == box.left || x == box.right - 1 || y == box.top || y == box.bottom - 1;
        expected = edge ? pen : kWhitePixel;
      }
      ASSERT_EQ(At(image, x, y), expected) << "x=" << x << " y=" << y;
    }
  }
}

TEST(PainterDCShapes, FillRectPaintsExactlyItsBoxAndANullBrushIsWhite) {
  QImage image = Canvas(30, 30, kBluePixel);
  CBrush green(RGB(0, 255, 0));
  CBrush deleted(RGB(0, 255, 0));
  deleted.DeleteObject();
  const RECT whiteBox{1, 1, 5, 4};
  const RECT greenBox{10, 10, 13, 12};
  const RECT deletedBox{20, 20, 22, 22};
  const RECT inverted{28, 28, 25, 25};
  Paint(image, [&](PainterDC& dc) {
    dc.FillRect(&whiteBox, nullptr);
    dc.FillRect(&greenBox, &green);
    dc.FillRect(&deletedBox, &deleted);
    dc.FillRect(&inverted, &green);
  });
  EXPECT_EQ(InkBox(image, kBluePixel), (RECT{1, 1, 22, 22}));
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 30; ++x) {
      QRgb expected = kBluePixel;
      if (x >= 1 && x < 5 && y >= 1 && y < 4) expected = kWhitePixel;
      if (x >= 10 && x < 13 && y >= 10 && y < 12) expected = 0xFF00FF00;
      if (x >= 20 && x < 22 && y >= 20 && y < 22) expected = kWhitePixel;
      ASSERT_EQ(At(image, x, y), expected) << "x=" << x << " y=" << y;
    }
  }
}

TEST(PainterDCShapes, SetPixelSetsExactlyOnePixelAndRefusesOutside) {
  QImage image = Canvas(10, 10);
  COLORREF inside = 0, outside = 0;
  Paint(image, [&](PainterDC& dc) {
    inside = dc.SetPixel(4, 7, RGB(0x12, 0x34, 0x56));
    outside = dc.SetPixel(10, 3, kRed);
  });
  EXPECT_EQ(inside, RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(outside, 0xFFFFFFFFu);
  EXPECT_EQ(At(image, 4, 7), 0xFF123456);
  EXPECT_EQ(CountNot(image, kWhitePixel), 1);
}

// What a call hands back puts the surface back as it was: a pen and a text
// colour given back draw as before they were changed.
TEST(PainterDCState, WhatIsHandedBackDrawsAsBefore) {
  QImage image = Canvas(40, 30);
  CPen red(PS_SOLID, 1, kRed);
  CFont font = ArialFont(20);
  Paint(image, [&](PainterDC& dc) {
    CPen* before = dc.SelectObject(&red);
    dc.MoveTo(0, 2);
    dc.LineTo(10, 2);
    dc.SelectObject(before);
    dc.LineTo(20, 2);
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(dc.SetTextColor(kBlue));
    RECT box{0, 5, 40, 30};
    dc.DrawText("W", &box, DT_SINGLELINE);
  });
  EXPECT_EQ(At(image, 5, 2), 0xFFFF0000);
  EXPECT_EQ(At(image, 15, 2), 0xFF000000);
  // The text is drawn black: the blue was handed back at once.
  int blue = 0, dark = 0;
  for (int y = 5; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      blue += qBlue(At(image, x, y)) > 128 && qRed(At(image, x, y)) < 64;
      dark += qGray(At(image, x, y)) < 64;
    }
  EXPECT_EQ(blue, 0);
  EXPECT_GT(dark, 10);
}

TEST(PainterDCState, SurfaceOnANullImageIgnoresEveryCall) {
  QImage none;
  PainterDC dc(&none);
  CFont font = ArialFont(20);
  dc.SelectObject(&font);
  RECT box{0, 0, 50, 50};
  dc.FillRect(&box, nullptr);
  dc.MoveTo(0, 0);
  EXPECT_EQ(dc.LineTo(5, 5), TRUE);
  dc.Rectangle(&box);
  EXPECT_EQ(dc.SetPixel(1, 1, kRed), 0xFFFFFFFFu);
  EXPECT_EQ(dc.DrawText("text", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 0);
  EXPECT_GT(dc.GetTextExtent("text").cx, 0);
}

TEST(PainterDCState, BorrowedPainterStaysOpenWithItsOwnSettings) {
  QImage image = Canvas(20, 20);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QColor(1, 2, 3));
  {
    PainterDC dc(&painter);
    EXPECT_EQ(dc.Painter(), &painter);
    CPen red(PS_SOLID, 1, kRed);
    dc.SelectObject(&red);
    dc.MoveTo(0, 0);
    dc.LineTo(10, 0);
  }
  EXPECT_TRUE(painter.isActive());
  EXPECT_TRUE(painter.testRenderHint(QPainter::Antialiasing));
  EXPECT_EQ(painter.pen().color(), QColor(1, 2, 3));
  painter.end();
  EXPECT_EQ(At(image, 9, 0), 0xFFFF0000);
  EXPECT_EQ(At(image, 10, 0), kWhitePixel);
}

TEST(PainterDCText, TextIsClippedToItsBox) {
  QImage image = Canvas(120, 80);
  CFont big = ArialFont(70, "Arial Bold");
  RECT box{30, 20, 60, 45};
  Paint(image, [&](PainterDC& dc) {
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(&big);
    dc.DrawText("WWWW", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RECT wrapBox{5, 60, 25, 70};
    dc.DrawText("many words that cannot fit", -1, &wrapBox, DT_WORDBREAK);
  });
  const RECT ink = InkBox(image, kWhitePixel);
  EXPECT_TRUE(Inside(ink, RECT{5, 20, 60, 70}));
  int insideBox = 0;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x)
      if (At(image, x, y) != kWhitePixel) ++insideBox;
  EXPECT_GT(insideBox, 100);
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 120; ++x) {
      const bool inBox = x >= 30 && x < 60 && y >= 20 && y < 45;
      const bool inWrapBox = x >= 5 && x < 25 && y >= 60 && y < 70;
      if (!inBox && !inWrapBox) {
        ASSERT_EQ(At(image, x, y), kWhitePixel) << "x=" << x << " y=" << y;
      }
    }
  }
}

TEST(PainterDCText, NoClipLetsTextOverflowItsBox) {
  QImage image = Canvas(120, 60);
  CFont big = ArialFont(40);
  RECT box{50, 20, 60, 30};
  Paint(image, [&](PainterDC& dc) {
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(&big);
    dc.DrawText("WWW", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
  });
  const RECT ink = InkBox(image, kWhitePixel);
  EXPECT_LT(ink.left, 40);
  EXPECT_GT(ink.right, 70);
}

TEST(PainterDCText, SingleLineFormatsPlaceTheText) {
  CFont font = ArialFont(24);
  const RECT box{20, 10, 220, 50};
  const auto drawWith = [&](UINT format, int* height) {
    QImage image = Canvas(240, 60);
    Paint(image, [&](PainterDC& dc) {
      dc.SetBkMode(TRANSPARENT);
      dc.SelectObject(&font);
      RECT r = box;
      *height = dc.DrawText("Round 10", -1, &r, format);
    });
    return InkBox(image, kWhitePixel);
  };
  int cell = 0;
  {
    QImage scratch = Canvas(1, 1);
    PainterDC dc(&scratch);
    dc.SelectObject(&font);
    cell = dc.GetTextExtent("Round 10").cy;
  }
  int height = 0;
  const RECT centred = drawWith(DT_CENTER | DT_VCENTER | DT_SINGLELINE, &height);
  EXPECT_NEAR((centred.left + centred.right) / 2.0, (box.left + box.right) / 2.0, 2.0);
  EXPECT_EQ(height, (40 - cell) / 2 + cell);
  // The glyphs sit inside the centred line box.
  EXPECT_GE(centred.top, box.top + (40 - cell) / 2);
  EXPECT_LE(centred.bottom, box.top + (40 - cell) / 2 + cell);

  const RECT right = drawWith(DT_RIGHT | DT_VCENTER | DT_SINGLELINE, &height);
  EXPECT_NEAR(right.right, box.right, 3);
  EXPECT_EQ(right.right - right.left, centred.right - centred.left);

  const RECT left = drawWith(DT_LEFT | DT_VCENTER | DT_SINGLELINE, &height);
  EXPECT_NEAR(left.left, box.left, 3);
  EXPECT_EQ(left.top, centred.top);

  const RECT top = drawWith(DT_LEFT, &height);
  EXPECT_EQ(height, cell);
  EXPECT_LT(top.top, centred.top);
}

TEST(PainterDCText, WordBreakStacksLinesFromTheTopAndHonoursLineFeeds) {
  CFont font = ArialFont(20);
  int cell = 0;
  const auto draw = [&](const std::string& text, RECT box, int* height) {
    QImage image = Canvas(300, 200);
    Paint(image, [&](PainterDC& dc) {
      dc.SetBkMode(TRANSPARENT);
      dc.SelectObject(&font);
      cell = dc.GetTextExtent("x").cy;
      *height = dc.DrawText(text, -1, &box, DT_WORDBREAK);
    });
    return image;
  };
  int height = 0;
  const RECT narrow{10, 10, 110, 190};
  const QImage wrapped = draw("one two three four five six seven eight", narrow, &height);
  EXPECT_GE(height / cell, 3);
  EXPECT_EQ(height % cell, 0);
  const RECT ink = InkBox(wrapped, kWhitePixel);
  EXPECT_TRUE(Inside(ink, narrow));
  EXPECT_LT(ink.top, narrow.top + cell);
  EXPECT_GT(ink.bottom, narrow.top + 2 * cell);
  EXPECT_NEAR(ink.left, narrow.left, 3);

  const RECT wide{10, 10, 290, 190};
  draw("short text", wide, &height);
  EXPECT_EQ(height, cell);
  draw("short\ntext", wide, &height);
  EXPECT_EQ(height, 2 * cell);
  draw("short\r\ntext\n\nend", wide, &height);
  EXPECT_EQ(height, 4 * cell);

  // The same paragraph in another box is broken and placed for that box.
  const std::string paragraph = "one two three four five six seven eight";
  int wideHeight = 0;
  draw(paragraph, wide, &wideHeight);
  const RECT lower{60, 100, 160, 190};
  const QImage moved = draw(paragraph, lower, &height);
  EXPECT_GT(height, wideHeight);
  EXPECT_EQ(InkBox(moved, kWhitePixel).left - InkBox(wrapped, kWhitePixel).left, 50);
  EXPECT_EQ(InkBox(moved, kWhitePixel).top - InkBox(wrapped, kWhitePixel).top, 90);

  // A word longer than the line is broken where it overflows, never drawn
  // past the box.
  const RECT tiny{10, 10, 40, 190};
  const QImage broken = draw("Supercalifragilistic", tiny, &height);
  EXPECT_GE(height / cell, 2);
  EXPECT_TRUE(Inside(InkBox(broken, kWhitePixel), tiny));
}

TEST(PainterDCText, LinesBreakOnlyAtSpacesNeverAfterAHyphen) {
  CFont font = ArialFont(20);
  const auto draw = [&](const std::string& text, int boxWidth) {
    QImage image = Canvas(300, 120);
    Paint(image, [&](PainterDC& dc) {
      dc.SetBkMode(TRANSPARENT);
      dc.SelectObject(&font);
      RECT box{10, 10, 10 + boxWidth, 110};
      dc.DrawText(text, -1, &box, DT_WORDBREAK);
    });
    return image;
  };
  int hyphenEnd = 0, wholeWord = 0;
  {
    QImage scratch = Canvas(1, 1);
    Paint(scratch, [&](PainterDC& dc) {
      dc.SelectObject(&font);
      hyphenEnd = dc.GetTextExtent("get a 10-").cx;
      wholeWord = dc.GetTextExtent("get a 10-point").cx;
    });
  }
  ASSERT_LT(hyphenEnd + 4, wholeWord);
  // "get a 10-" fits, "get a 10-point" does not: the whole word moves down.
  EXPECT_EQ(draw("get a 10-point bonus", hyphenEnd + 2), draw("get a\n10-point\nbonus", 300));
}

TEST(PainterDCText, CountDrawsOnlyTheLeadingCharacters) {
  CFont font = ArialFont(30, "Arial Bold");
  const auto draw = [&](std::string_view text, int count) {
    QImage image = Canvas(80, 50);
    Paint(image, [&](PainterDC& dc) {
      dc.SetBkMode(TRANSPARENT);
      dc.SelectObject(&font);
      RECT box{0, 0, 80, 50};
      dc.DrawText(text, count, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    });
    return image;
  };
  EXPECT_EQ(draw("816327495", 1), draw("8", -1));
  EXPECT_NE(draw("816327495", 2), draw("8", -1));
  EXPECT_EQ(draw("816", 0), Canvas(80, 50));
}

TEST(PainterDCText, BackgroundModeDecidesWhetherTextPaintsABackground) {
  CFont font = ArialFont(24);
  const auto draw = [&](int mode) {
    QImage image = Canvas(120, 40, kBluePixel);
    Paint(image, [&](PainterDC& dc) {
      dc.SetBkMode(mode);
      dc.SelectObject(&font);
      dc.SetTextColor(kRed);
      RECT box{0, 0, 120, 40};
      dc.DrawText("Player: ", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    });
    return image;
  };
  const QImage transparent = draw(TRANSPARENT);
  int white = 0, red = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 120; ++x) {
      const QRgb pixel = At(transparent, x, y);
      if (pixel == kWhitePixel) ++white;
      if (qRed(pixel) > 200 && qBlue(pixel) < 60) ++red;
    }
  }
  EXPECT_EQ(white, 0);
  EXPECT_GT(red, 20);
  EXPECT_GT(CountNot(draw(OPAQUE), kBluePixel), CountNot(transparent, kBluePixel) + 200);
}

TEST(PainterDCText, ControlCharactersAndBrokenUtf8DrawWithoutHarm) {
  CFont font = ArialFont(16);
  QImage image = Canvas(200, 60);
  Paint(image, [&](PainterDC& dc) {
    dc.SelectObject(&font);
    RECT line{0, 0, 200, 20};
    dc.DrawText(std::string("a\tb\x01"
                            "c\r\nd\xff\xfe"),
                -1, &line, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    RECT block{0, 20, 200, 60};
    dc.DrawText("tab\there\x7f\xc3", -1, &block, DT_WORDBREAK);
    EXPECT_GT(dc.GetTextExtent("a\tb").cx, dc.GetTextExtent("ab").cx);
  });
  EXPECT_GT(CountNot(image, kWhitePixel), 0);
}

TEST(PainterDCText, TextExtentIsAdvanceByCellHeightAndTheDrawnWidth) {
  QImage image = Canvas(10, 10);
  PainterDC dc(&image);
  const CSize defaultSize = dc.GetTextExtent("Hello");
  EXPECT_NEAR(defaultSize.cy, 16, 1);
  CFont font = ArialFont(33);
  dc.SelectObject(&font);
  const CSize one = dc.GetTextExtent("P");
  const CSize word = dc.GetTextExtent("PERFECT!");
  EXPECT_NEAR(one.cy, 33, 1);
  EXPECT_EQ(word.cy, one.cy);
  EXPECT_GT(word.cx, 5 * one.cx);
  EXPECT_EQ(dc.GetTextExtent("").cx, 0);
  font.DeleteObject();
  EXPECT_EQ(dc.GetTextExtent("Hello"), defaultSize);

  // The text drawn is as wide as its extent says.
  CFont thirty = ArialFont(30);
  QImage drawn = Canvas(300, 50);
  CSize extent;
  Paint(drawn, [&](PainterDC& on) {
    on.SelectObject(&thirty);
    on.SetBkMode(TRANSPARENT);
    extent = on.GetTextExtent("HIHIH");
    RECT box{10, 0, 300, 50};
    on.DrawText("HIHIH", -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  });
  const RECT ink = InkBox(drawn, kWhitePixel);
  // Side bearings make the ink a little narrower than the advance.
  EXPECT_NEAR(ink.right - ink.left, extent.cx, 6);
}

namespace {

LOGFONT GameLogFont(int height, const char* face) { return ArialFont(height, face).logFont(); }

int CellHeightOf(const QFont& font, const QPaintDevice* device) {
  const QFontMetrics metrics(font, device);
  return metrics.ascent() + metrics.descent();
}

// Dark pixels of `text` drawn in black on white with `face`.
int InkOf(const char* face, const char* text) {
  QImage image = Canvas(300, 60);
  CFont font = ArialFont(40, face);
  Paint(image, [&](PainterDC& dc) {
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(&font);
    RECT box{0, 0, 300, 60};
    dc.DrawText(text, -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  });
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) ++dark;
  return dark;
}

// Collects Qt's warnings while it lives.
class WarningCatcher {
 public:
  WarningCatcher() {
    s_count = 0;
    m_previous = qInstallMessageHandler(&WarningCatcher::Handle);
  }
  ~WarningCatcher() { qInstallMessageHandler(m_previous); }
  static int Count() { return s_count; }

 private:
  static void Handle(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type != QtDebugMsg && type != QtInfoMsg) ++s_count;
  }
  static inline int s_count = 0;
  QtMessageHandler m_previous = nullptr;
};

}  // namespace

TEST(FontMapping, PositiveHeightIsTheCellHeight) {
  const QImage screen = Canvas(1, 1);
  for (const char* face : {"Arial", "Arial Bold"}) {
    for (const int height : {1, 7, 16, 33, 44, 101, 288}) {
      const QFont font = QFontFor(GameLogFont(height, face), &screen);
      EXPECT_NEAR(CellHeightOf(font, &screen), height, height < 4 ? 2 : 1)
          << face << " height " << height;
    }
  }
}

TEST(FontMapping, ArialIsLiberationSansAndArialBoldIsReallyBold) {
  const QFont regular = QFontFor(GameLogFont(30, "Arial"), nullptr);
  const QFont bold = QFontFor(GameLogFont(30, "Arial Bold"), nullptr);
  EXPECT_EQ(QFontInfo(regular).family(), "Liberation Sans");
  EXPECT_FALSE(QFontInfo(regular).bold());
  EXPECT_EQ(QFontInfo(bold).family(), "Liberation Sans");
  EXPECT_TRUE(QFontInfo(bold).bold());
  EXPECT_GT(InkOf("Arial Bold", "8 1 6 3 5 7"), InkOf("Arial", "8 1 6 3 5 7") * 5 / 4);

  LOGFONT heavy = GameLogFont(30, "Arial");
  heavy.lfWeight = FW_BOLD;
  EXPECT_TRUE(QFontInfo(QFontFor(heavy, nullptr)).bold());
  // Other faces are left to Qt.
  EXPECT_EQ(QFontFor(GameLogFont(30, "DejaVu Serif"), nullptr).family(), "DejaVu Serif");
}

TEST(FontMapping, HeightsAreInPixelsOfTheTargetDevice) {
  QImage page(10, 10, QImage::Format_RGB32);
  const int dotsPerMeter = qRound(1200 / 0.0254);
  page.setDotsPerMeterX(dotsPerMeter);
  page.setDotsPerMeterY(dotsPerMeter);
  ASSERT_EQ(page.logicalDpiY(), 1200);
  // A certificate line of a 6600-pixel-high page and its name line.
  EXPECT_NEAR(CellHeightOf(QFontFor(GameLogFont(180, "Arial"), &page), &page), 180, 1);
  EXPECT_NEAR(CellHeightOf(QFontFor(GameLogFont(288, "Arial Bold"), &page), &page), 288, 1);
  // Height 0 is the default size, the same physical size on every device.
  const QImage screen = Canvas(1, 1);
  EXPECT_NEAR(CellHeightOf(QFontFor(GameLogFont(0, "Arial"), &screen), &screen), 16, 1);
  EXPECT_NEAR(CellHeightOf(QFontFor(GameLogFont(0, "Arial"), &page), &page), 200, 2);
}

TEST(FontMapping, NegativeHeightIsTheEmSizeAndExtremesAreSafe) {
  EXPECT_EQ(QFontFor(GameLogFont(-20, "Arial"), nullptr).pixelSize(), 20);
  {
    WarningCatcher catcher;
    EXPECT_GE(QFontFor(GameLogFont(INT_MIN, "Arial"), nullptr).pixelSize(), 1);
    EXPECT_GE(QFontFor(GameLogFont(0, "Arial Bold"), nullptr).pixelSize(), 1);
    EXPECT_GE(QFontFor(GameLogFont(0, ""), nullptr).pixelSize(), 1);
    // A window too low for the layout unit: every font has height 0 and
    // every box collapses; painting must still be quiet.
    QImage image = Canvas(40, 40);
    CFont zero = ArialFont(0, "Arial Bold");
    Paint(image, [&](PainterDC& dc) {
      dc.SelectObject(&zero);
      RECT collapsed{20, 20, 20, 20};
      dc.DrawText("5", 1, &collapsed, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      dc.DrawText("instructions", -1, &collapsed, DT_WORDBREAK);
      dc.FillRect(&collapsed, nullptr);
      dc.Rectangle(&collapsed);
    });
    EXPECT_EQ(image, Canvas(40, 40));
    EXPECT_EQ(WarningCatcher::Count(), 0);
  }
}
