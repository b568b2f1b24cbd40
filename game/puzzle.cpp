// Making a round's square (a magic square with one pair of cells exchanged)
// and drawing it with its eight line differences and their squares.
#include <cstdio>
#include <random>

#include "game/MyKelvoView.h"
#include "game/line_values.h"
#include "game/puzzle_tables.h"
#include "screen/number_boxes.h"
#include "screen/text_style.h"

void CMyKelvoView::DrawPuzzle(CDC* pDC, BOOL bRedrawOnly) {
  pDC->SetBkMode(TRANSPARENT);
  pDC->SelectObject(&m_fontCell);
  if (!bRedrawOnly) {
    // The square and the pair are drawn independently, so the same puzzle
    // may well come twice in a row.
    std::uniform_int_distribution<int> squareIndex(0, kMagicSquareCount - 1);
    std::uniform_int_distribution<int> pairIndex(0, kSwapPairCount - 1);
    const int square = squareIndex(m_random);
    MakePuzzle(square, pairIndex(m_random));
  }
  PaintCells(pDC);
  // A repaint stores the total as well, so both sums always describe the
  // cells as they stand.
  const int total = ComputeLineValues();
  m_nBeforeSum = total;
  m_nAfterSum = total;
  DrawLineValues(pDC);
}

void CMyKelvoView::MakePuzzle(int squareIndex, int pairIndex) {
  if (squareIndex < 0 || squareIndex >= kMagicSquareCount || pairIndex < 0 ||
      pairIndex >= kSwapPairCount)
    return;
  const int* square = g_nMagicSquares[squareIndex];
  for (int i = 1; i <= 9; ++i) m_nCell[i] = square[i - 1];
  const int p = g_nSwapPairs[pairIndex][0];
  const int q = g_nSwapPairs[pairIndex][1];
  m_nCell[0] = m_nCell[p];
  m_nCell[p] = m_nCell[q];
  m_nCell[q] = m_nCell[0];
}

void CMyKelvoView::PaintCells(CDC* pDC) {
  for (int i = 1; i <= 9; ++i) pDC->FillRect(&m_rcCell[i], &m_brCell[i]);
  pDC->SelectObject(&m_fontCell);
  for (int i = 1; i <= 9; ++i) {
    std::snprintf(m_szText, sizeof m_szText, "%i", m_nCell[i]);
    pDC->DrawText(m_szText, 1, &m_rcCell[i], kCentred);
  }
}

int CMyKelvoView::ComputeLineValues() {
  return ComputeLineDiffs(m_nCell, m_nLineDiff, m_nLineDiffSq);
}

void CMyKelvoView::DrawLineValues(CDC* pDC) {
  pDC->SelectObject(&m_fontLabel);
  // Each box still shows the value drawn before, so it is cleared first.
  DrawNumbersInBoxes(pDC, m_nLineDiff, m_rcLineDiff, RGB(0x00, 0x00, 0xFF), TRUE, m_szText,
                     sizeof m_szText);
  DrawNumbersInBoxes(pDC, m_nLineDiffSq, m_rcLineDiffSq, RGB(0xFF, 0x00, 0x00), TRUE, m_szText,
                     sizeof m_szText);
  pDC->SetTextColor(RGB(0x00, 0x00, 0x00));
}
