#include "game/scoring.h"

namespace {
constexpr int kLastRound = 10;
constexpr int kTotal = 11;
constexpr int kMagicPoints = 100;
constexpr int kImprovementPoints = 30;
constexpr int kFirstBonus = 10;
}  // namespace

void ScoreRound(int round, int afterSum, int beforeSum, int score[12], int bonus[12]) {
  if (round < 1 || round > kLastRound) return;
  bonus[round] = 0;
  if (afterSum == 0) {
    score[round] = kMagicPoints;
    score[kTotal] += kMagicPoints;
    // Round 1 has no round before it, so a run can only start there.
    if (round > 1 && score[round - 1] == kMagicPoints) {
      bonus[round] = bonus[round - 1] > 0 ? 2 * bonus[round - 1] : kFirstBonus;
      bonus[kTotal] += bonus[round];
    }
  } else if (afterSum < beforeSum) {
    score[round] = kImprovementPoints;
    score[kTotal] += kImprovementPoints;
  } else {
    // A swap that makes things no better earns nothing, but costs nothing.
    score[round] = 0;
  }
}

long long Overall(const int score[12], const int bonus[12]) {
  return static_cast<long long>(score[11]) + bonus[11];
}
