// The board's grid: four bevelled lines each way, 4 pixels thick, and the
// guide lines that lead from the board to the line values.
#pragma once

#include "platform/interface/dc.h"

struct GridPens {
  CPen* light;  // outer line of each grid line
  CPen* shade;  // the two middle lines
  CPen* black;  // inner line
  CPen* guide;  // guide lines toward the sum boxes
};

// Draws the grid of the board whose outer top-left corner is
// (X - 32u, Y - 23u), with X and Y the centre of the client area and u the
// layout unit.  Leaves the guide pen selected.
void DrawBoardGrid(CDC* pDC, int X, int Y, int u, const GridPens& pens);
