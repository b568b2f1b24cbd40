// The score table along the bottom of the screen: a row of round points, a
// row of bonuses, their totals, and the overall score beside them.
#include "screen/score_table.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "game/MyKelvoView.h"
#include "game/scoring.h"
#include "platform/language/translation.h"
#include "screen/fitted_text.h"
#include "screen/text_style.h"

const std::string g_strColumnLabel[12] = {
    "",
    // TRANSLATORS: the score table's column headings, drawn small, each
    // above a narrow box of its own: keep them short.
    NC_("score table", "Round 1"),
    NC_("score table", "Round 2"),
    NC_("score table", "Round 3"),
    NC_("score table", "Round 4"),
    NC_("score table", "Round 5"),
    NC_("score table", "Round 6"),
    NC_("score table", "Round 7"),
    NC_("score table", "Round 8"),
    NC_("score table", "Round 9"),
    NC_("score table", "Round 10"),
    NC_("score table", "Total"),
};

std::string ColumnLabel(int column) {
  if (column < 1 || column > 11) return {};
  return C_("score table", g_strColumnLabel[column].c_str());
}

void CMyKelvoView::DrawScoreTable(CDC* pDC, int nFirstRound) {
  pDC->SetBkMode(TRANSPARENT);
  pDC->SelectObject(&m_penBlack);
  m_pOldFont = pDC->SelectObject(&m_fontTable);

  // The headings are drawn again at every score, over themselves: without
  // an erase their antialiased edges blend with the earlier ones and
  // thicken.  Each text is clipped to its box, and the boxes hold nothing
  // else worth keeping: the PERFECT! banner ends above the column labels,
  // column 1's bonus box has no fill of its own, and the table's outlines
  // that touch them on a tiny window are drawn after.
  const auto heading = [pDC](std::string_view text, RECT* box, UINT format) {
    pDC->FillRect(box, nullptr);
    DrawFittedText(pDC, text, box, format);
  };
  for (int i = 1; i <= kTotalSlot; ++i) heading(ColumnLabel(i), &m_rcColumnLabel[i], kCentred);
  // TRANSLATORS: the headings of the overall score's box and of the score
  // table's two rows, drawn small beside them.
  heading(C_("score table", "Overall"), &m_rcOverallLabel, kCentred);
  heading(C_("score table", "Score"), &m_rcScoreHeader, kRightAligned);
  // A bonus needs two rounds, so column 1 has no bonus box: its place holds
  // the row's heading.
  heading(C_("score table", "Bonus"), &m_rcBonusCell[1], kRightAligned);

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
  std::snprintf(m_szText, sizeof m_szText, "%lld", Overall(m_nScore, m_nBonus));
  pDC->DrawText(m_szText, -1, &m_rcOverall, kCentred);

  pDC->SelectObject(m_pOldFont);
}
