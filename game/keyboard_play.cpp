// Playing from the keyboard.  The player is told to swap two numbers, so
// typing them is the most direct move: the first picks the cell holding it,
// the second swaps.  The arrow keys move a cursor over the cells and Space
// picks or swaps there; Escape lets go of a pick.  Every drop takes the
// drag's own path, its refusal cue included.
#include <string>

#include "game/MyKelvoView.h"
#include "platform/interface/virtual_keys.h"

namespace {

// 1..9 for a digit key of the main row or the keypad, 0 for any other key.
int DigitOfKey(UINT nChar) {
  if (nChar >= '1' && nChar <= '9') return static_cast<int>(nChar - '0');
  if (nChar > VK_NUMPAD0 && nChar <= VK_NUMPAD9) return static_cast<int>(nChar - VK_NUMPAD0);
  return 0;
}

}  // namespace

void CMyKelvoView::OnSwapKey(UINT nChar) {
  // The same window as a press of the button: nothing before the first tick
  // of the period is missed, nothing after the countdown reaches 0 is taken.
  if (!SwapPeriodOpen()) return;

  if (const int digit = DigitOfKey(nChar); digit != 0) {
    for (int cell = 1; cell <= 9; ++cell) {
      if (m_nCell[cell] == digit) {
        PickOrDropByKey(cell);
        return;
      }
    }
    return;
  }
  if (nChar == VK_LEFT || nChar == VK_RIGHT || nChar == VK_UP || nChar == VK_DOWN ||
      nChar == VK_SPACE)
    m_bCursorKeysUsed = true;
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
      PickOrDropByKey(m_nKeyCursor);
      break;
    case VK_ESCAPE:
      // Letting go is not a refused drop: no sound.
      if (m_nKeyPick != -1) {
        Announce(std::to_string(m_nCell[m_nKeyPick]) + " let go.");
        m_nKeyPick = -1;
        RedrawCellsAndFrames();
      }
      break;
    default:
      break;
  }
}

void CMyKelvoView::PickOrDropByKey(int cell) {
  m_bKeysUsed = true;
  // The cursor follows the cell last named, so arrows go on from there.
  m_nKeyCursor = cell;
  if (m_nKeyPick == -1) {
    m_nKeyPick = cell;
    RedrawCellsAndFrames();
    Announce(std::to_string(m_nCell[cell]) + " picked.");
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
  // At an edge the cursor stays; it only needs drawing if it was not shown.
  if (row < 0 || row > 2 || column < 0 || column > 2) {
    if (firstUse) RedrawCellsAndFrames();
    return;
  }
  m_nKeyCursor = 3 * row + column + 1;
  RedrawCellsAndFrames();
}

void CMyKelvoView::ResetKeys(bool bNewGame) {
  // A pick never outlives its round, just as the drag origin does not.
  m_nKeyPick = -1;
  m_bCursorKeysUsed = false;
  if (bNewGame) {
    // Each game starts with nothing drawn and the cursor in the centre.
    m_bKeysUsed = false;
    m_nKeyCursor = 5;
  }
}

void CMyKelvoView::RedrawCellsAndFrames() {
  CClientDC dc(this);
  dc->SetBkMode(TRANSPARENT);
  PaintCells(dc);
  DrawKeyFrames(dc);
}
