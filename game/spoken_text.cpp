#include "game/spoken_text.h"

#include <string>

#include "game/scoring.h"

namespace {

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

}  // namespace

std::string SquareRowsText(const int cell[10]) {
  return Digits(cell, 1) + "; " + Digits(cell, 4) + "; " + Digits(cell, 7);
}

std::string RoundStartText(int round, const int cell[10]) {
  return "Round " + std::to_string(round) + ": " + SquareRowsText(cell) + ".";
}

std::string LineName(int line) {
  if (line >= 0 && line < 3) return "Row " + std::to_string(line + 1);
  if (line >= 3 && line < 6) return "Column " + std::to_string(line - 2);
  if (line == 6) return "Diagonal from top left";
  if (line == 7) return "Diagonal from top right";
  return {};
}

std::string LineValueText(int line, int diff, int diffSq) {
  if (diff == 0) return LineName(line) + ": 0";
  return LineName(line) + ": " + std::to_string(diff) + ", squared " + std::to_string(diffSq);
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

std::string SwapResultText(int first, int second, int round, const int score[12],
                           const int bonus[12], int afterSum) {
  std::string text = std::to_string(first) + " and " + std::to_string(second) + " swapped: ";
  const int points = round >= 1 && round <= 10 ? score[round] : 0;
  if (afterSum == 0) {
    const int roundBonus = round >= 1 && round <= 10 ? bonus[round] : 0;
    text += "magic square! 100 points, ";
    text += roundBonus > 0 ? "bonus " + std::to_string(roundBonus) + "." : "no bonus.";
  } else if (points > 0) {
    text += "closer, After Sum " + std::to_string(afterSum) + ". " + std::to_string(points) +
            " points.";
  } else {
    text += "not closer, After Sum " + std::to_string(afterSum) + ". No points.";
  }
  return text + " " + OverallSentence(score, bonus);
}

std::string TimeUpText(const int score[12], const int bonus[12]) {
  return "Time is up: no swap, no points. " + OverallSentence(score, bonus);
}

std::string GameOverText(const int score[12], const int bonus[12], bool perfect) {
  std::string text = "Game over: score " + std::to_string(score[11]) + ", bonus " +
                     std::to_string(bonus[11]) + ", overall " +
                     std::to_string(Overall(score, bonus)) + ".";
  if (perfect) text += " PERFECT!";
  return text;
}
