// The two fixed tables every puzzle is made from: the eight 3-by-3 magic
// squares and the 36 pairs of cells whose exchange spoils one.
#pragma once

// Cells 1..9 row by row, stored from index 0 (index 0 holds cell 1).
extern const int g_nMagicSquares[8][9];
// Every pair (p, q) of cells with 1 <= p < q <= 9, in lexicographic order.
extern const int g_nSwapPairs[36][2];

constexpr int kMagicSquareCount = 8;
constexpr int kSwapPairCount = 36;
