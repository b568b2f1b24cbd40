// The paint: the whole screen drawn again from the view's fields, so that
// whatever the handlers drew between paints comes back after the window was
// covered or resized.
#include <cstdio>
#include <ctime>

#include "game/MyKelvoView.h"
#include "game/line_values.h"
#include "game/local_time.h"
#include "platform/language/translation.h"
#include "screen/fitted_text.h"
#include "screen/grid.h"
#include "screen/number_boxes.h"
#include "screen/text_style.h"

namespace {

constexpr COLORREF kBlue = RGB(0x00, 0x00, 0xFF);
constexpr COLORREF kRed = RGB(0xFF, 0x00, 0x00);

// The square shown before the first game: 8 1 6 / 3 5 7 / 4 9 2 with its 5
// and 2 exchanged.
constexpr int kDemoDigits[9] = {8, 1, 6, 3, 2, 7, 4, 9, 5};

}  // namespace

void CMyKelvoView::OnDraw(CDC* pDC) {
  // The clock in the caption moves only when the screen is painted.
  const std::time_t now = std::time(nullptr);
  m_timeNow = static_cast<std::int64_t>(now);
  // TRANSLATORS: the clock in the window's caption, in strftime's
  // conversions.  %c is the form the system's locale data give, which a
  // machine may lack for your language: a form of your own (say
  // "%A, %-d %B %Y, %H:%M:%S") is written whatever the machine has, as
  // %A, %B and %p come from this catalogue.
  // xgettext:no-c-format
  m_strNow = LocalTimeText(m_timeNow, C_("caption clock", "%c"));
  // TRANSLATORS: the window's caption; %s the clock, then the version.
  m_strCaption = FormattedText(_("Kelvo, a magic-square puzzle -- %s -- Version %s"),
                               m_strNow.c_str(), g_strVersion);
  SetFrameCaption(m_strCaption);

  LayOut(pDC);
  pDC->SetTextColor(kBlack);

  const int u = m_nUnit;
  const int X = m_rcClient.right / 2;
  const int Y = m_rcClient.bottom / 2;
  DrawBoardGrid(pDC, X, Y, u, {&m_penGridLight, &m_penGridShade, &m_penBlack, &m_penGuide});
  for (int k = 1; k <= 9; ++k) pDC->FillRect(&m_rcCell[k], &m_brCell[k]);
  DrawInstructions(pDC);

  if (m_nGameState == kStateIdle) {
    pDC->SelectObject(&m_fontCell);
    for (int k = 1; k <= 9; ++k) {
      m_nDemoCell[k - 1] = kDemoDigits[k - 1];
      std::snprintf(m_szText, sizeof m_szText, "%i", m_nDemoCell[k - 1]);
      pDC->DrawText(m_szText, 1, &m_rcCell[k], kCentred);
    }
    int cells[10] = {};
    for (int k = 1; k <= 9; ++k) cells[k] = m_nDemoCell[k - 1];
    const int total = ComputeLineDiffs(cells, m_nLineDiff, m_nLineDiffSq);
    m_nBeforeSum = total;
    m_nAfterSum = total;
    pDC->SelectObject(&m_fontLabel);
    // The screen was just erased, so the boxes need no clearing.
    DrawNumbersInBoxes(pDC, m_nLineDiff, m_rcLineDiff, kBlue, FALSE, m_szText, sizeof m_szText);
    DrawNumbersInBoxes(pDC, m_nLineDiffSq, m_rcLineDiffSq, kRed, FALSE, m_szText, sizeof m_szText);
    pDC->SetTextColor(kBlack);
  } else {
    DrawPuzzle(pDC, TRUE);
    DrawKeyFrames(pDC);
    DrawScoreTable(pDC, 1);
    // The labels the round flow drew last; a label not yet written is empty
    // and draws nothing.
    pDC->SelectObject(&m_fontLabel);
    pDC->SetTextColor(kBlack);
    if (!m_strRoundLabel.empty())
      DrawFittedText(pDC, m_strRoundLabel, &m_rcRoundLabel, kLeftAligned);
    pDC->SetTextColor(kRed);
    if (!m_strBeforeLabel.empty())
      DrawFittedText(pDC, m_strBeforeLabel, &m_rcBeforeLabel, kLeftAligned);
    if (!m_strAfterLabel.empty())
      DrawFittedText(pDC, m_strAfterLabel, &m_rcAfterLabel, kRightAligned);
  }

  DrawPlayerLabel(pDC);
}
