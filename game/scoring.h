// How a round is scored from the square's totals before and after the swap:
// 100 points for a magic square, 30 for a smaller total, nothing otherwise,
// and a bonus that doubles along a run of magic squares.
#pragma once

// Scores round `round` (1..10) into score[round] and bonus[round] and adds
// both to the running totals in slot 11.  A round outside 1..10 changes
// nothing.  The round's bonus is reset first, so only a magic square that
// follows a magic round earns one: 10 for the second of a run, then double
// the one before.
void ScoreRound(int round, int afterSum, int beforeSum, int score[12], int bonus[12]);

// The overall score: the running totals of slot 11 added, widened so that
// no pair of totals can overflow.
long long Overall(const int score[12], const int bonus[12]);
