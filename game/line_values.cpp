#include "game/line_values.h"

const int g_nLineCells[kLineCount][3] = {
    {1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {1, 4, 7}, {2, 5, 8}, {3, 6, 9}, {1, 5, 9}, {3, 5, 7},
};

int ComputeLineDiffs(const int cell[10], int diff[kLineCount], int diffSq[kLineCount]) {
  int total = 0;
  for (int k = 0; k < kLineCount; ++k) {
    const int* line = g_nLineCells[k];
    diff[k] = cell[line[0]] + cell[line[1]] + cell[line[2]] - kMagicSum;
    diffSq[k] = diff[k] * diff[k];
    total += diffSq[k];
  }
  return total;
}
