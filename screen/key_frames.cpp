// The keyboard's marks on the square: a dashed black-and-white frame for
// the cursor and a white line edged in black for the picked cell.  Both lie
// inside the cell, clear of the grid's bevel and of the number, and pair
// black with white so they read on every cell colour.
#include <algorithm>

#include "game/MyKelvoView.h"

namespace {

constexpr int kCursorInset = 2;  // two dashed lines, 2 and 3 pixels in
constexpr int kPickInset = 6;    // black, white, black, 6 to 8 pixels in
constexpr int kDash = 4;
// Below this the frames would run into each other and the number.
constexpr int kSmallestCell = 2 * (kPickInset + 3) + 8;

RECT Shrunk(const RECT& r, int by) {
  return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

// A one-pixel outline over left..right-1, top..bottom-1 in the current pen.
void Outline(CDC* pDC, const RECT& r) {
  pDC->MoveTo(r.left, r.top);
  pDC->LineTo(r.right - 1, r.top);
  pDC->LineTo(r.right - 1, r.bottom - 1);
  pDC->LineTo(r.left, r.bottom - 1);
  pDC->LineTo(r.left, r.top);
}

// Every other stretch of kDash pixels of the outline of `r`, in the current
// pen.
void Dashes(CDC* pDC, const RECT& r) {
  const int right = r.right - 1;
  const int bottom = r.bottom - 1;
  for (int x = r.left; x < right; x += 2 * kDash) {
    const int end = std::min(x + kDash, right);
    pDC->MoveTo(x, r.top);
    pDC->LineTo(end, r.top);
    pDC->MoveTo(x, bottom);
    pDC->LineTo(end, bottom);
  }
  for (int y = r.top; y < bottom; y += 2 * kDash) {
    const int end = std::min(y + kDash, bottom);
    pDC->MoveTo(r.left, y);
    pDC->LineTo(r.left, end);
    pDC->MoveTo(right, y);
    pDC->LineTo(right, end);
  }
}

}  // namespace

void CMyKelvoView::DrawKeyFrames(CDC* pDC) {
  // A player who never touched these keys sees the screen as it always was.
  if (!m_bKeysUsed || m_nGameState != kStateSwapPeriod) return;
  const auto isCell = [](int cell) { return cell >= 1 && cell <= 9; };
  CPen* previous = pDC->SelectObject(&m_penKeyLight);
  if (isCell(m_nKeyCursor)) {
    const RECT& cell = m_rcCell[m_nKeyCursor];
    if (cell.right - cell.left >= kSmallestCell && cell.bottom - cell.top >= kSmallestCell) {
      for (int line = 0; line < 2; ++line) {
        const RECT r = Shrunk(cell, kCursorInset + line);
        pDC->SelectObject(&m_penKeyLight);
        Outline(pDC, r);
        pDC->SelectObject(&m_penBlack);
        Dashes(pDC, r);
      }
    }
  }
  if (isCell(m_nKeyPick)) {
    const RECT& cell = m_rcCell[m_nKeyPick];
    if (cell.right - cell.left >= kSmallestCell && cell.bottom - cell.top >= kSmallestCell) {
      CPen* const pens[] = {&m_penBlack, &m_penKeyLight, &m_penBlack};
      for (int line = 0; line < 3; ++line) {
        pDC->SelectObject(pens[line]);
        Outline(pDC, Shrunk(cell, kPickInset + line));
      }
    }
  }
  pDC->SelectObject(previous);
}
