#include "game/spoken_text.h"

#include <string>

#include "game/scoring.h"
#include "game/swap_period.h"

const char* const kSameNumberTwiceText = "Refused, the same number twice.";
const char* const kRefusedText = "Refused.";
const char* const kStillPausedText = "Paused. H resumes.";
const char* const kNothingToPauseText = "No round to pause.";
const char* const kNoGameYetText = "No game yet. Enter starts one.";
const char* const kGameOverNextText = "Game over. Enter starts a new game.";
const char* const kOneSwapARoundText = "One swap a round.";
const char* const kTimeIsUpText = "Time is up.";

namespace {

const char* const kCertificateText = " Ctrl+P prints your certificate.";
const char* const kRegisterToPrintText =
    " To print your certificate, enter your name from the Register menu, then press Ctrl+P.";

std::string Digits(const int cell[10], int firstCell) {
  return std::to_string(cell[firstCell]) + " " + std::to_string(cell[firstCell + 1]) + " " +
         std::to_string(cell[firstCell + 2]);
}

// "-7 squared 49", or "0" for a line on 15.
std::string DiffWithSquare(int diff, int diffSq) {
  if (diff == 0) return "0";
  return std::to_string(diff) + " squared " + std::to_string(diffSq);
}

std::string OverallSentence(const int score[12], const int bonus[12]) {
  return "Overall " + std::to_string(Overall(score, bonus)) + ".";
}

bool Untimed(int seconds) { return seconds >= kMaxSwapSeconds; }

}  // namespace

std::string SquareRowsText(const int cell[10]) {
  return Digits(cell, 1) + ", " + Digits(cell, 4) + ", " + Digits(cell, 7);
}

std::string RoundStartText(int round, const int cell[10], int swapSeconds) {
  std::string text = SquareRowsText(cell) + ". Round " + std::to_string(round);
  if (round == 1)
    return text + ", " + SecondsText(swapSeconds) +
           " to swap. Plus and minus change it between games. H pauses.";
  return text + ".";
}

std::string ExampleSquareText(const int cell[10]) {
  return "Example square, " + SquareRowsText(cell) + ". Enter starts a game.";
}

std::string CellPlaceText(int cell) {
  static const char* const places[] = {"top left",    "top middle",    "top right",
                                       "middle left", "center",        "middle right",
                                       "bottom left", "bottom middle", "bottom right"};
  return cell >= 1 && cell <= 9 ? places[cell - 1] : "";
}

std::string EdgeText(int dRow, int dColumn) {
  if (dRow < 0) return "Top edge.";
  if (dRow > 0) return "Bottom edge.";
  return dColumn < 0 ? "Left edge." : "Right edge.";
}

std::string PickedText(int digit) { return std::to_string(digit) + " picked."; }
std::string LetGoText(int digit) { return std::to_string(digit) + " let go."; }

std::string LineName(int line) {
  if (line >= 0 && line < 3) return "Row " + std::to_string(line + 1);
  if (line >= 3 && line < 6) return "Column " + std::to_string(line - 2);
  if (line == 6) return "Diagonal from top left";
  if (line == 7) return "Diagonal from top right";
  return {};
}

std::string LineValueText(int line, int diff, int diffSq) {
  if (diff == 0) return LineName(line) + ", 0";
  return LineName(line) + ", " + std::to_string(diff) + ", squared " + std::to_string(diffSq);
}

std::string LineValuesText(const int diff[8], const int diffSq[8]) {
  std::string text;
  const struct {
    const char* name;
    int first;
    int count;
  } groups[] = {{"Rows ", 0, 3}, {"Columns ", 3, 3}, {"Diagonals ", 6, 2}};
  for (const auto& group : groups) {
    if (!text.empty()) text += " ";
    text += group.name;
    for (int k = group.first; k < group.first + group.count; ++k) {
      if (k != group.first) text += ", ";
      text += DiffWithSquare(diff[k], diffSq[k]);
    }
    text += ".";
  }
  return text;
}

int SecondsLeft(int countdown, unsigned tickMs) {
  if (countdown <= 0) return 0;
  const long long ms = static_cast<long long>(countdown) * tickMs;
  return static_cast<int>((ms + 999) / 1000);
}

std::string SecondsText(int seconds) {
  return std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
}

std::string SecondsLeftText(int seconds) { return SecondsText(seconds) + " left."; }

std::string SwapSecondsText(int seconds) {
  return SecondsText(seconds) + (Untimed(seconds) ? " to swap, practically untimed." : " to swap.");
}

std::string SwapSecondsAtLimitText(int seconds, bool longest) {
  return (longest ? "Already the longest, " : "Already the shortest, ") + SwapSecondsText(seconds);
}

std::string SwapSecondsBetweenGamesText(int seconds) {
  return "The time changes between games only, now " + SecondsText(seconds) + ".";
}

std::string PausedText(int secondsLeft) {
  return secondsLeft < 0 ? "Paused." : "Paused, " + SecondsLeftText(secondsLeft);
}

std::string ResumedText(int secondsLeft) {
  return secondsLeft < 0 ? "Resumed." : "Resumed, " + SecondsLeftText(secondsLeft);
}

std::string RestingText(int nextRound) {
  return "Resting. Enter starts round " + std::to_string(nextRound) + ".";
}

std::string FocusHelpText(bool inGame, int swapSeconds) {
  return std::string(inGame ? "Enter starts the next round." : "Enter starts a game.") +
         " Type two numbers to swap them, or use the arrows and Space."
         " S, L, T and P say the square, lines, time and score."
         " Plus and minus change the time to swap between games, now " +
         SecondsText(swapSeconds) + ". H or Pause pauses. F1 gives hints.";
}

std::string SwapResultText(int first, int second, int round, const int score[12],
                           const int bonus[12], int afterSum) {
  std::string text = std::to_string(first) + " and " + std::to_string(second) + " swapped. ";
  const int points = round >= 1 && round <= 10 ? score[round] : 0;
  if (afterSum == 0) {
    const int roundBonus = round >= 1 && round <= 10 ? bonus[round] : 0;
    text += "Magic square! 100 points, ";
    text += roundBonus > 0 ? "bonus " + std::to_string(roundBonus) + "." : "no bonus.";
  } else if (points > 0) {
    text += "Closer, After Sum " + std::to_string(afterSum) + ". " + std::to_string(points) +
            " points.";
  } else {
    text += "Not closer, After Sum " + std::to_string(afterSum) + ". No points.";
  }
  return text + " " + OverallSentence(score, bonus);
}

std::string TimeUpText(const int score[12], const int bonus[12]) {
  return "Time is up. No swap, no points. " + OverallSentence(score, bonus);
}

std::string GameOverText(const int score[12], const int bonus[12], bool perfect, bool named) {
  std::string text = "Game over. Score " + std::to_string(score[11]) + ", bonus " +
                     std::to_string(bonus[11]) + ", overall " +
                     std::to_string(Overall(score, bonus)) + ".";
  if (perfect) text += std::string(" PERFECT!") + (named ? kCertificateText : kRegisterToPrintText);
  return text;
}

std::string GoSoundText(bool on) { return on ? "GO sound on." : "GO sound off."; }

std::string NameSavedText(const std::string& name, bool canPrint) {
  if (name.empty()) return "Name cleared.";
  return name + " registered." + (canPrint ? kCertificateText : "");
}
