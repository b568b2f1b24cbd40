// What a screen reader says about the game, built from the game's numbers:
// the square row by row, the line values, the countdown in seconds, the
// result of a swap and of a game, the replies to keys, the help.  Digits
// are written as digits, so that the reader speaks them in the player's own
// voice settings.  Sentences are joined by commas and full stops only: at a
// screen reader's usual punctuation level a colon, a semicolon or a dash is
// said aloud ("colon", "semi"), which costs time and means nothing.
// Everything is short, as a player hears it often.
#pragma once

#include <string>

// "8 1 6, 3 5 7, 4 9 2": cells 1..9 of `cell`, row by row.
std::string SquareRowsText(const int cell[10]);
// "8 1 6, 3 5 7, 4 9 2. Round 3.": the square first, as the player acts on
// it.  Round 1 also gives the time to swap and the keys that change it or
// pause.
std::string RoundStartText(int round, const int cell[10]);
// "Example square, 8 1 6, 3 2 7, 4 9 5. Enter starts a game."
std::string ExampleSquareText(const int cell[10]);

// Where cell 1..9 lies: "top left", "top middle" ... "center" ...
// "bottom right".
std::string CellPlaceText(int cell);
// The edge that stopped a move of the cursor by (dRow, dColumn): "Top edge."
std::string EdgeText(int dRow, int dColumn);
// "9 picked.", "9 let go."
std::string PickedText(int digit);
std::string LetGoText(int digit);
// A drop on the cell already picked.
extern const char* const kSameNumberTwiceText;
extern const char* const kRefusedText;

// "Row 1", "Column 3", "Diagonal from top left", "Diagonal from top right"
// for line 0..7 in the game's line order.
std::string LineName(int line);
// "Row 1, -7, squared 49" (a line on 15: "Row 1, 0").
std::string LineValueText(int line, int diff, int diffSq);
// Every line, grouped: "Rows 0, 0, 0. Columns -7 squared 49, 7 squared 49,
// 0. Diagonals -7 squared 49, 0."
std::string LineValuesText(const int diff[8], const int diffSq[8]);

// Whole seconds left when `countdown` ticks of `tickMs` remain, rounded up.
int SecondsLeft(int countdown, unsigned tickMs);
// "7 seconds", "1 second".
std::string SecondsText(int seconds);
// "7 seconds left."
std::string SecondsLeftText(int seconds);

// The time to swap, changed between games: "20 seconds to swap.", the
// longest "600 seconds to swap, practically untimed."; at either end of the
// steps, "Already the longest, ..."; during a game, why nothing changed.
std::string SwapSecondsText(int seconds);
std::string SwapSecondsAtLimitText(int seconds, bool longest);
std::string SwapSecondsBetweenGamesText(int seconds);

// The pause, with the seconds left of a swap period (-1 in a rest).
std::string PausedText(int secondsLeft);
std::string ResumedText(int secondsLeft);
extern const char* const kStillPausedText;
extern const char* const kNothingToPauseText;

// What comes next, when a key cannot act now (a number typed in a rest, T
// outside a swap period).
extern const char* const kNoGameYetText;
extern const char* const kGameOverNextText;
std::string RestingText(int nextRound);
extern const char* const kOneSwapARoundText;
extern const char* const kTimeIsUpText;

// Said with the view's name when the keys reach it, once a game: the keys
// of the game, Enter's for the state it is in.
std::string FocusHelpText(bool inGame, int swapSeconds);

// What a swap of the numbers `first` and `second` earned: "1 and 8
// swapped. Magic square! 100 points, bonus 10. Overall 210."
std::string SwapResultText(int first, int second, int round, const int score[12],
                           const int bonus[12], int afterSum);
// A swap period closed without a swap; with `swapSecondsToName` above 0,
// the keys that give more time are named too (once a game, when the time
// has run out, rather than in the round's words, which must stay short).
std::string TimeUpText(const int score[12], const int bonus[12], int swapSecondsToName);
// "Game over. Score 1000, bonus 5110, overall 6110. PERFECT!" and, for a
// perfect game, how to print its certificate (`named`: a name is entered).
std::string GameOverText(const int score[12], const int bonus[12], bool perfect, bool named);

// The Sounds menu's switch: "GO sound off."
std::string GoSoundText(bool on);
// A name entered: "Ann registered." (with how to print, when a
// certificate can be printed now); an empty one: "Name cleared."
std::string NameSavedText(const std::string& name, bool canPrint);
