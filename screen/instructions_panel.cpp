// The right half of the screen: the player's name on top, the rules below.
#include "game/MyKelvoView.h"
#include "screen/fitted_text.h"
#include "screen/text_style.h"

void CMyKelvoView::DrawPlayerLabel(CDC* pDC) {
  // A shorter name must not leave the end of a longer one behind.
  pDC->FillRect(&m_rcPlayerLabel, nullptr);
  pDC->SelectObject(&m_fontLabel);
  pDC->SetTextColor(RGB(0xFF, 0x00, 0xFF));
  pDC->SetBkMode(TRANSPARENT);
  DrawFittedText(pDC, m_strPlayerLabel, &m_rcPlayerLabel, kCentred);
  pDC->SetTextColor(RGB(0x00, 0x00, 0x00));
}

void CMyKelvoView::DrawInstructions(CDC* pDC) {
  pDC->SelectObject(&m_fontText);
  pDC->SetTextColor(RGB(0x00, 0x00, 0x00));
  pDC->SetBkMode(TRANSPARENT);
  // Clipped to its box: on a small window the rules are cut off at the
  // bottom rather than running into the score table.
  DrawFittedText(pDC, m_strInstructions, &m_rcInstructions, DT_WORDBREAK);
}
