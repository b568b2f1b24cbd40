// The certificate page as recorded on a printer-sized surface: where each
// line goes, in which font and colour, the frame, and the rings of dots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "certificate/PlayerNameDlg.h"
#include "game/MyKelvoView.h"
#include "platform/interface/print_info.h"
#include "support/recording_dc.h"

namespace {

constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr COLORREF kGrey = RGB(0x80, 0x80, 0x80);

struct CertificatePageTest : testing::Test {
  CertificatePageTest() {
    savedName = thePlayerNameDlg.m_strPlayerName;
    thePlayerNameDlg.m_strPlayerName = "Ada Lovelace";
    view.m_nGameState = kStateGameOver;
    view.m_nBonus[kTotalSlot] = kPerfectBonus;
    view.m_strPerfectDate = "March 05, 2024";
    view.m_strPerfectTime = "09:15:42 PM,";
  }
  ~CertificatePageTest() override { thePlayerNameDlg.m_strPlayerName = savedName; }

  void Print(RECT page) {
    dc.Clear();
    info.m_rectDraw = page;
    info.m_bContinuePrinting = TRUE;
    view.OnPrint(&dc, &info);
  }
  std::vector<DrawCall> CallsOf(DrawCall::Kind kind) const {
    std::vector<DrawCall> out;
    for (const DrawCall& c : dc.Calls())
      if (c.kind == kind) out.push_back(c);
    return out;
  }

  std::string savedName;
  CMyKelvoView view;
  RecordingDC dc;
  CPrintInfo info;
};

// Letter paper at 600 dpi: drawable height 6600 gives h9 = 5940, u = 180,
// g = 270, T = 495; width 5100 gives L = 255, R = 4845.
TEST_F(CertificatePageTest, EightLinesInTheirBoxesFontsAndColours) {
  Print({0, 0, 5100, 6600});
  struct Expected {
    std::string text;
    int top, bottom;
    COLORREF colour;
    int fontHeight;
    std::string face;
  };
  const std::vector<Expected> expected = {
      {"This is to certify that on ", 1935, 2115, RGB(0x00, 0xEB, 0x47), 180, "Arial"},
      {"March 05, 2024 at 09:15:42 PM,", 2205, 2385, RGB(0x00, 0xEB, 0x65), 180, "Arial"},
      {"Ada Lovelace", 2475, 2835, RGB(0xFF, 0x00, 0x00), 288, "Arial Bold"},
      {"played a perfect game of Kelvo,", 2925, 3105, RGB(0x00, 0xEB, 0x83), 180, "Arial"},
      {"getting a score of 1000 points plus 5110 bonus points", 3195, 3375, RGB(0x00, 0xEB, 0xA1),
       180, "Arial"},
      {"for a grand total of 6110 points,", 3465, 3645, RGB(0x00, 0xEB, 0xBF), 180, "Arial"},
      {"the maximum attaintable in a single game of ten rounds.", 3735, 3915, RGB(0x00, 0xEB, 0xDD),
       180, "Arial"},
      {"Congratulations Ada Lovelace!!!", 4005, 4185, RGB(0x00, 0xEB, 0xFB), 180, "Arial"},
  };
  const std::vector<DrawCall> texts = dc.Texts();
  ASSERT_EQ(texts.size(), expected.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    SCOPED_TRACE(expected[i].text);
    EXPECT_EQ(texts[i].text, expected[i].text);
    EXPECT_EQ(texts[i].rect, (RECT{255, expected[i].top, 4845, expected[i].bottom}));
    EXPECT_EQ(texts[i].format, kCentred);
    EXPECT_EQ(texts[i].color, expected[i].colour);
    ASSERT_TRUE(texts[i].hasFont);
    EXPECT_EQ(texts[i].font.lfHeight, expected[i].fontHeight);
    EXPECT_EQ(texts[i].font.lfFaceName, expected[i].face);
    EXPECT_EQ(texts[i].font.lfOutPrecision, OUT_DEVICE_PRECIS);
    EXPECT_EQ(texts[i].font.lfQuality, PROOF_QUALITY);
  }
  // The page leaves the text colour black and draws no background of its own.
  const std::vector<DrawCall> colours = CallsOf(DrawCall::kSetTextColor);
  ASSERT_FALSE(colours.empty());
  EXPECT_EQ(colours.back().color, RGB(0, 0, 0));
  EXPECT_TRUE(CallsOf(DrawCall::kSetBkMode).empty());
  EXPECT_TRUE(CallsOf(DrawCall::kFillRect).empty());
  EXPECT_TRUE(CallsOf(DrawCall::kStartPage).empty());
}

TEST_F(CertificatePageTest, FrameIsAClosedOutlineInTheCertificatePen) {
  Print({0, 0, 5100, 6600});
  // fL = L - u, fT = T + 6u, fR = R + u, fB = bottom of line 8 + 2u.
  const int fL = 75, fT = 1575, fR = 5025, fB = 4545;
  const std::vector<DrawCall> moves = CallsOf(DrawCall::kMoveTo);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].to, (POINT{fL, fT}));
  const std::vector<DrawCall> lines = CallsOf(DrawCall::kLineTo);
  ASSERT_EQ(lines.size(), 4u);
  const POINT corners[4] = {{fR, fT}, {fR, fB}, {fL, fB}, {fL, fT}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(lines[i].to, corners[i]);
    EXPECT_EQ(lines[i].color, RGB(0xE6, 0x37, 0xFF));
    EXPECT_EQ(lines[i].penWidth, 4);
  }
}

TEST_F(CertificatePageTest, DotsFormRingsOnTheElevenPixelGrid) {
  Print({0, 0, 5100, 6600});
  const int fL = 75, fT = 1575, fR = 5025, fB = 4545;
  const std::vector<DrawCall> dots = CallsOf(DrawCall::kSetPixel);
  const int columns = (fR - (fL + 4) + 10) / 11;
  const int rows = (fB - (fT + 2) + 10) / 11;
  ASSERT_EQ(dots.size(), static_cast<size_t>(columns * rows));

  // Dots come after the text and the frame, so they lie on top.
  const auto& calls = dc.Calls();
  const auto firstDot = std::find_if(
      calls.begin(), calls.end(), [](const DrawCall& c) { return c.kind == DrawCall::kSetPixel; });
  EXPECT_TRUE(std::none_of(firstDot, calls.end(), [](const DrawCall& c) {
    return c.kind == DrawCall::kDrawText || c.kind == DrawCall::kLineTo;
  }));

  const int cx = (fL + fR) / 2, cy = (fT + fB - 2) / 2;
  std::map<std::pair<int, int>, COLORREF> at;
  std::set<COLORREF> used;
  for (const DrawCall& d : dots) {
    EXPECT_EQ((d.to.x - (fL + 4)) % 11, 0);
    EXPECT_EQ((d.to.y - (fT + 2)) % 11, 0);
    EXPECT_GE(d.to.x, fL + 4);
    EXPECT_LT(d.to.x, fR);
    EXPECT_GE(d.to.y, fT + 2);
    EXPECT_LT(d.to.y, fB);
    at[{d.to.x, d.to.y}] = d.color;
    used.insert(d.color);
  }
  // Grey in the middle and in the corners, every colour of the rings between.
  const int nearX = fL + 4 + ((cx - fL - 4) / 11) * 11;
  const int nearY = fT + 2 + ((cy - fT - 2) / 11) * 11;
  EXPECT_EQ((at[{nearX, nearY}]), kGrey);
  EXPECT_EQ((at[{fL + 4, fT + 2}]), kGrey);
  EXPECT_EQ(used.size(), 7u);
  EXPECT_TRUE(used.count(RGB(0xFF, 0x80, 0x40)));
  EXPECT_TRUE(used.count(RGB(0x80, 0xFF, 0x40)));

  // One ring: a dot's colour depends only on its distance from the centre.
  // The ring width is a seventh of the centre-to-corner distance.
  const int ring = static_cast<int>(std::hypot(fL + 4 - cx, fT + 2 - cy) / 7);
  ASSERT_EQ(ring, 411);
  for (const DrawCall& d : dots) {
    const int index = static_cast<int>(std::hypot(d.to.x - cx, d.to.y - cy) / ring);
    if (index == 1) {
      EXPECT_EQ(d.color, RGB(0xFF, 0x80, 0x40));
    } else if (index == 3) {
      EXPECT_EQ(d.color, RGB(0x80, 0x40, 0xFF));
    }
  }
}

TEST_F(CertificatePageTest, BlankWhileAGameRuns) {
  for (int state : {kStateSwapPeriod, kStateRest}) {
    view.m_nGameState = state;
    Print({0, 0, 5100, 6600});
    EXPECT_TRUE(dc.Calls().empty()) << "state " << state;
    EXPECT_TRUE(info.m_bContinuePrinting);
    EXPECT_EQ(view.m_fontCertificate.GetSafeHandle(), nullptr);
  }
  view.m_nGameState = kStateIdle;
  Print({0, 0, 5100, 6600});
  EXPECT_EQ(dc.Texts().size(), 8u);
}

TEST_F(CertificatePageTest, ReadsTheNameAfreshMeasuresFromTheOriginAndEndsTheJob) {
  // A font left over from somewhere must not leak into the page.
  CreateGameFont(view.m_fontCertificate, 7, "Courier");
  thePlayerNameDlg.m_strPlayerName = "  Zoë 🎲  ";
  // A drawing rectangle that does not start at the origin: only its size
  // counts.
  Print({100, 200, 5200, 6800});
  EXPECT_FALSE(info.m_bContinuePrinting);
  EXPECT_EQ(view.m_fontCertificate.GetSafeHandle(), nullptr);
  // The pen lives on with the view.
  EXPECT_NE(view.m_penCertificate.GetSafeHandle(), nullptr);
  const std::vector<DrawCall> texts = dc.Texts();
  ASSERT_EQ(texts.size(), 8u);
  EXPECT_EQ(texts[0].font.lfFaceName, "Arial");
  EXPECT_EQ(texts[2].text, "  Zoë 🎲  ");
  EXPECT_EQ(texts[7].text, "Congratulations   Zoë 🎲  !!!");
  EXPECT_EQ(texts[0].rect, (RECT{255, 1935, 4845, 2115}));
}

const std::set<COLORREF> kDotTable = {
    RGB(0x80, 0x80, 0x80), RGB(0xFF, 0x80, 0x40), RGB(0x40, 0xFF, 0x80), RGB(0x80, 0x40, 0xFF),
    RGB(0x40, 0x80, 0xFF), RGB(0xFF, 0x40, 0x80), RGB(0x80, 0xFF, 0x40)};

TEST_F(CertificatePageTest, TinyAndInvertedPagesDoNotFailAndKeepToTheTable) {
  const std::vector<RECT> pages = {{0, 0, 0, 0},      {0, 0, 1, 1},   {0, 0, 10, 10},
                                   {0, 0, 5, 50},     {0, 0, 50, 50}, {0, 0, 100, 100},
                                   {0, 0, 5100, -66}, {50, 50, 0, 0}, {0, 0, 120, 9000}};
  for (const RECT& page : pages) {
    SCOPED_TRACE(testing::Message() << page.right << "x" << page.bottom);
    Print(page);
    EXPECT_FALSE(info.m_bContinuePrinting);
    EXPECT_EQ(view.m_fontCertificate.GetSafeHandle(), nullptr);
    EXPECT_EQ(dc.Texts().size(), 8u);
    for (const DrawCall& d : CallsOf(DrawCall::kSetPixel)) EXPECT_TRUE(kDotTable.count(d.color));
  }
  // 50 x 50: u = 1, rings 2 pixels wide, the corner dot (5, 11) nearly ten
  // rings out: past the table, so grey like the last ring.
  Print({0, 0, 50, 50});
  std::vector<DrawCall> dots = CallsOf(DrawCall::kSetPixel);
  ASSERT_EQ(dots.size(), 4u);
  EXPECT_EQ(dots[0].to, (POINT{5, 11}));
  EXPECT_EQ(dots[0].color, kGrey);
  // 5 x 50: the corner is closer than seven pixels, so the ring width would
  // be 0; at one pixel the single dot (3, 11), 3.2 away, is in ring 3.
  Print({0, 0, 5, 50});
  dots = CallsOf(DrawCall::kSetPixel);
  ASSERT_EQ(dots.size(), 1u);
  EXPECT_EQ(dots[0].to, (POINT{3, 11}));
  EXPECT_EQ(dots[0].color, RGB(0x80, 0x40, 0xFF));
}

// Counts the dots instead of keeping them: a huge page has millions.
struct DotCountingDC : RecordingDC {
  COLORREF SetPixel(int x, int y, COLORREF color) override {
    if (dots == 0) first = color;
    ++dots;
    used.insert(color);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
    return color;
  }
  long long dots = 0;
  COLORREF first = 0;
  std::set<COLORREF> used;
  int maxX = 0, maxY = 0;
};

TEST_F(CertificatePageTest, AbsurdlyLargePageIsDrawnAtTheLargestSize) {
  DotCountingDC counting;
  info.m_rectDraw = {-2000000000, -2000000000, 2000000000, 2000000000};
  view.OnPrint(&counting, &info);
  EXPECT_FALSE(info.m_bContinuePrinting);
  // Taken as 65536 x 65536: the same rings as on any page, nothing wrapped.
  EXPECT_EQ(counting.first, kGrey);
  EXPECT_EQ(counting.used, kDotTable);
  EXPECT_LT(counting.maxX, 65536);
  EXPECT_LT(counting.maxY, 65536);
  EXPECT_EQ(counting.Texts()[0].rect, (RECT{3277, 19211, 62259, 20998}));
}

}  // namespace
