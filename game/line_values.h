// How far each of the eight lines of a square lies from 15, and the square
// of that: the blue and red numbers beside the board.  Lines are always taken
// as row 1, row 2, row 3, column 1, column 2, column 3, diagonal 1-5-9,
// diagonal 3-5-7.
#pragma once

constexpr int kLineCount = 8;
constexpr int kMagicSum = 15;

// The three cells (1..9) of each line, in line order.
extern const int g_nLineCells[kLineCount][3];

// Fills diff[k] with line k's sum minus 15 and diffSq[k] with its square,
// from cell[1..9] (cell[0] is not read); returns the sum of the squares,
// which is 0 exactly when the square is magic.
int ComputeLineDiffs(const int cell[10], int diff[kLineCount], int diffSq[kLineCount]);
