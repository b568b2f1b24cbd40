// What a screen reader says about the game, built from the game's numbers:
// the square row by row, the line values, the countdown in seconds, the
// result of a swap and of a game.  Digits are written as digits, so that
// the reader speaks them in the player's own voice settings.
#pragma once

#include <string>

// "8 1 6; 3 5 7; 4 9 2": cells 1..9 of `cell`, row by row.
std::string SquareRowsText(const int cell[10]);
// "Round 3: 8 1 6; 3 5 7; 4 9 2."
std::string RoundStartText(int round, const int cell[10]);

// "Row 1", "Column 3", "Diagonal from top left", "Diagonal from top right"
// for line 0..7 in the game's line order.
std::string LineName(int line);
// "Row 1: -7, squared 49" (a line on 15: "Row 1: 0").
std::string LineValueText(int line, int diff, int diffSq);
// Every line, grouped: "Rows 0, 0, 0. Columns -7 squared 49, 7 squared 49,
// 0. Diagonals -7 squared 49, 0."
std::string LineValuesText(const int diff[8], const int diffSq[8]);

// Whole seconds left when `countdown` ticks of `tickMs` remain, rounded up.
int SecondsLeft(int countdown, unsigned tickMs);
// "7 seconds", "1 second".
std::string SecondsText(int seconds);

// What a swap of the numbers `first` and `second` earned: "1 and 8
// swapped: magic square! 100 points, bonus 10. Overall 210."
std::string SwapResultText(int first, int second, int round, const int score[12],
                           const int bonus[12], int afterSum);
// A swap period closed without a swap.
std::string TimeUpText(const int score[12], const int bonus[12]);
// "Game over: score 1000, bonus 5110, overall 6110. PERFECT!"
std::string GameOverText(const int score[12], const int bonus[12], bool perfect);
