// Playing from the keyboard.  The player is told to swap two numbers, so
// typing them is the most direct move: the first picks the cell holding it,
// the second swaps.  The arrow keys move a cursor over the cells and Space
// picks or swaps there; Escape lets go of a pick.  Every drop takes the
// drag's own path, its refusal cue included.
//
// For a screen reader the cursor's cell has the focus (once an arrow or
// Space is used in the round), and says its number and where it is; a pick
// is said aloud only where no focus moving to its cell says it.
#include <string>

#include "game/MyKelvoView.h"
#include "game/spoken_text.h"
#include "platform/interface/virtual_keys.h"

namespace {

// 1..9 for a digit key of the main row or the keypad, 0 for any other key.
int DigitOfKey(UINT nChar) {
  if (nChar >= '1' && nChar <= '9') return static_cast<int>(nChar - '0');
  if (nChar > VK_NUMPAD0 && nChar <= VK_NUMPAD9) return static_cast<int>(nChar - VK_NUMPAD0);
  return 0;
}

bool IsCursorKey(UINT nChar) {
  return nChar == VK_LEFT || nChar == VK_RIGHT || nChar == VK_UP || nChar == VK_DOWN ||
         nChar == VK_SPACE;
}

}  // namespace

void CMyKelvoView::OnSwapKey(UINT nChar) {
  // The same window as a press of the button: nothing before the first tick
  // of the period is missed, nothing after the countdown reaches 0 is taken.
  if (!SwapPeriodOpen()) {
    // Silence would leave a player who cannot see wondering why.
    if (DigitOfKey(nChar) != 0 || IsCursorKey(nChar)) Announce(NextStepText());
    return;
  }

  // Whether a cell has the focus before this key.
  const bool focusShown = m_bCursorKeysUsed;
  if (const int digit = DigitOfKey(nChar); digit != 0) {
    for (int cell = 1; cell <= 9; ++cell) {
      if (m_nCell[cell] == digit) {
        // The focus follows the cursor to the cell named, and says it.
        PickOrDropByKey(cell, !focusShown || cell == m_nKeyCursor);
        return;
      }
    }
    return;
  }
  if (IsCursorKey(nChar)) m_bCursorKeysUsed = true;
  switch (nChar) {
    case VK_LEFT:
      MoveKeyCursor(0, -1);
      break;
    case VK_RIGHT:
      MoveKeyCursor(0, 1);
      break;
    case VK_UP:
      MoveKeyCursor(-1, 0);
      break;
    case VK_DOWN:
      MoveKeyCursor(1, 0);
      break;
    case VK_SPACE:
      // The first Space of the round gives the cursor's cell the focus.
      PickOrDropByKey(m_nKeyCursor, focusShown);
      break;
    case VK_ESCAPE:
      // Letting go is not a refused drop: no sound.
      if (m_nKeyPick != -1) {
        Announce(LetGoText(m_nCell[m_nKeyPick]));
        m_nKeyPick = -1;
        RedrawCellsAndFrames();
      }
      break;
    default:
      break;
  }
}

void CMyKelvoView::PickOrDropByKey(int cell, bool sayPick) {
  m_bKeysUsed = true;
  // The cursor follows the cell last named, so arrows go on from there.
  m_nKeyCursor = cell;
  if (m_nKeyPick == -1) {
    m_nKeyPick = cell;
    RedrawCellsAndFrames();
    if (sayPick) Announce(PickedText(m_nCell[cell]));
    return;
  }
  const int from = m_nKeyPick;
  // A drop ends the pick whether it swaps or is refused, as releasing the
  // button ends a drag.
  m_nKeyPick = -1;
  SwapCells(from, cell);
  // An accepted swap has wiped the frames for good; a refused one leaves
  // the period open with the cursor still shown.
  if (SwapPeriodOpen()) RedrawCellsAndFrames();
}

void CMyKelvoView::MoveKeyCursor(int dRow, int dColumn) {
  const bool firstUse = !m_bKeysUsed;
  m_bKeysUsed = true;
  const int row = (m_nKeyCursor - 1) / 3 + dRow;
  const int column = (m_nKeyCursor - 1) % 3 + dColumn;
  // At an edge the cursor stays, and says so; it only needs drawing if it
  // was not shown.
  if (row < 0 || row > 2 || column < 0 || column > 2) {
    if (firstUse) RedrawCellsAndFrames();
    Announce(EdgeText(dRow, dColumn));
    return;
  }
  m_nKeyCursor = 3 * row + column + 1;
  RedrawCellsAndFrames();
}

void CMyKelvoView::ResetKeys(bool bNewGame) {
  // A pick never outlives its round, just as the drag origin does not; the
  // cursor starts each round in the centre, where a player who cannot see
  // it knows it is.
  m_nKeyPick = -1;
  m_bCursorKeysUsed = false;
  m_nKeyCursor = 5;
  // Each game starts with nothing of the keyboard drawn.
  if (bNewGame) m_bKeysUsed = false;
}

void CMyKelvoView::RedrawCellsAndFrames() {
  CClientDC dc(this);
  dc->SetBkMode(TRANSPARENT);
  PaintCells(dc);
  DrawKeyFrames(dc);
}
