#include "screen/grid.h"

namespace {

void Line(CDC* pDC, int x0, int y0, int x1, int y1) {
  pDC->MoveTo(x0, y0);
  pDC->LineTo(x1, y1);
}

}  // namespace

void DrawBoardGrid(CDC* pDC, int X, int Y, int u, const GridPens& pens) {
  // Light outside, two shades, black inside: the board looks sunken.
  CPen* const bevel[4] = {pens.light, pens.shade, pens.shade, pens.black};
  const int left = X - 32 * u;
  const int top = Y - 23 * u;

  for (int j = 0; j < 4; ++j) {
    const int x = left + 8 * u * j;
    for (int i = 0; i < 4; ++i) {
      pDC->SelectObject(bevel[i]);
      Line(pDC, x + i, top, x + i, Y + u + 4);
    }
    // Down from each column line toward the column sums below the board.
    pDC->SelectObject(pens.guide);
    Line(pDC, x + 2, Y + u + 6, x + 2, Y + 8 * u + 6);
  }

  for (int j = 0; j < 4; ++j) {
    const int y = top + 8 * u * j;
    for (int i = 0; i < 4; ++i) {
      pDC->SelectObject(bevel[i]);
      // The outer top and bottom lines shorten (top) or lengthen (bottom)
      // one pixel per line at each end, so they meet the verticals in a
      // mitre; the inner ones run between the verticals.
      if (j == 0)
        Line(pDC, left + i, y + i, X - 8 * u + 3 - i, y + i);
      else if (j == 3)
        Line(pDC, left + 3 - i, y + i, X - 8 * u + i, y + i);
      else
        Line(pDC, left + 4, y + i, X - 8 * u, y + i);
    }
  }

  pDC->SelectObject(pens.guide);
  // Toward the row sums on the right and, from the bottom line, the 1-5-9
  // diagonal's boxes.
  for (int j = 0; j < 4; ++j) {
    const int y = top + 8 * u * j + 2;
    Line(pDC, X - 8 * u + 6, y, X - 2 * u + 5, y);
  }
  // Leftward toward the 3-5-7 diagonal's boxes.
  Line(pDC, left - 4, Y + u + 2, X - 38 * u - 4, Y + u + 2);
}
