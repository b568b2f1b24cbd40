// The score table along the bottom of the screen: a row of round points, a
// row of bonuses, their totals, and the overall score beside them.
#include "screen/score_table.h"

#include <algorithm>
#include <cstdio>

#include "game/MyKelvoView.h"
#include "screen/text_style.h"

const std::string g_strColumnLabel[12] = {
    "",        "Round 1", "Round 2", "Round 3", "Round 4",  "Round 5",
    "Round 6", "Round 7", "Round 8", "Round 9", "Round 10", "Total",
};


void CMyKelvoView::DrawScoreTable(CDC* pDC, int nFirstRound) {
  pDC->SetBkMode(TRANSPARENT);
  pDC->SelectObject(&m_penBlack);
  m_pOldFont = pDC->SelectObject(&m_fontTable);

  for (int i = 1; i <= kTotalSlot; ++i)
    pDC->DrawText(g_strColumnLabel[i], &m_rcColumnLabel[i], kCentred);
  pDC->DrawText("Overall", -1, &m_rcOverallLabel, kCentred);
  pDC->DrawText("Score", -1, &m_rcScoreHeader, kRightAligned);
  // A bonus needs two rounds, so column 1 has no bonus box: its place holds
  // the row's heading.
  pDC->DrawText("Bonus", -1, &m_rcBonusCell[1], kRightAligned);

  pDC->SelectObject(&m_fontLabel);

  // Only rounds already reached carry a number; the others stay as empty
  // coloured boxes.  A round beyond the table never reaches an array.
  const int lastRound = std::min(m_nRound, kRounds);

  // The outline's inside is white, so the smaller fill leaves a white ring.
  for (int i = 1; i <= kTotalSlot; ++i) pDC->Rectangle(&m_rcScoreFrame[i]);
  for (int i = 1; i <= kTotalSlot; ++i) pDC->FillRect(&m_rcScoreCell[i], &m_brScore);
  for (int i = std::max(nFirstRound, 1); i <= lastRound; ++i) {
    std::snprintf(m_szText, sizeof m_szText, "%i", m_nScore[i]);
    pDC->DrawText(m_szText, -1, &m_rcScoreCell[i], kCentred);
  }
  std::snprintf(m_szText, sizeof m_szText, "%i", m_nScore[kTotalSlot]);
  pDC->DrawText(m_szText, -1, &m_rcScoreCell[kTotalSlot], kCentred);

  for (int i = 2; i <= kTotalSlot; ++i) pDC->Rectangle(&m_rcBonusFrame[i]);
  for (int i = 2; i <= kTotalSlot; ++i) pDC->FillRect(&m_rcBonusCell[i], &m_brBonus);
  // Bonuses start at round 2 whatever the first round of the score row.
  for (int i = 2; i <= lastRound; ++i) {
    std::snprintf(m_szText, sizeof m_szText, "%i", m_nBonus[i]);
    pDC->DrawText(m_szText, -1, &m_rcBonusCell[i], kCentred);
  }
  std::snprintf(m_szText, sizeof m_szText, "%i", m_nBonus[kTotalSlot]);
  pDC->DrawText(m_szText, -1, &m_rcBonusCell[kTotalSlot], kCentred);

  pDC->Rectangle(&m_rcOverallFrame);
  pDC->FillRect(&m_rcOverall, &m_brOverall);
  // Widened so that no pair of totals can overflow.
  const long long overall = static_cast<long long>(m_nScore[kTotalSlot]) + m_nBonus[kTotalSlot];
  std::snprintf(m_szText, sizeof m_szText, "%lld", overall);
  pDC->DrawText(m_szText, -1, &m_rcOverall, kCentred);

  pDC->SelectObject(m_pOldFont);
}
