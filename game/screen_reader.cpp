// What the view gives a screen reader: a description of the screen as a
// sighted player sees it, the keys that say the square, the line values,
// the time left and the score on demand, and the countdown in seconds.
// What is said unasked (a round's square, a pick, a swap's result) is said
// by the handlers that make it happen.
#include <algorithm>
#include <string>

#include "game/MyKelvoView.h"
#include "game/scoring.h"
#include "game/spoken_text.h"
#include "screen/score_table.h"

namespace {

// The warning comes when this much of the swap period is left.
constexpr long long kWarningMs = 3000;

// Read when the view gets the focus: kept short, as it comes back after
// every menu and dialog.
const char* const kKeysHelp =
    "Enter: next round. Type two numbers to swap them, or use the arrows and Space. "
    "S: square, L: lines, T: time, P: score. F1: hints.";

std::string Number(long long value) { return std::to_string(value); }

}  // namespace

void CMyKelvoView::SetSwapSeconds(int seconds) {
  m_nSwapSeconds = std::clamp(seconds, kMinSwapSeconds, kMaxSwapSeconds);
}

void CMyKelvoView::StartSpokenCountdown() {
  m_nSpokenSeconds = SecondsLeft(m_nCountdown, SwapTick());
  m_nMsSinceSpokenSeconds = 0;
}

void CMyKelvoView::OnSpokenCountdownTick() {
  const UINT tick = SwapTick();
  m_nMsSinceSpokenSeconds += static_cast<int>(tick);
  // A tick may be shorter than a second: the seconds follow the countdown,
  // but never change sooner than a second after their last change.
  const int seconds = SecondsLeft(m_nCountdown, tick);
  if (seconds != m_nSpokenSeconds && m_nMsSinceSpokenSeconds >= 1000) {
    m_nSpokenSeconds = seconds;
    m_nMsSinceSpokenSeconds = 0;
  }
  // Once, on the tick that crosses the mark; not after a swap, which has
  // already ended the period for the player.
  const long long leftMs = static_cast<long long>(m_nCountdown) * tick;
  if (m_nGameState == kStateSwapPeriod && leftMs <= kWarningMs && leftMs + tick > kWarningMs)
    Announce(SecondsText(seconds) + " left.");
}

bool CMyKelvoView::OnReadOutKey(UINT nChar) {
  const bool playing = m_nGameState != kStateIdle;
  switch (nChar) {
    case 'S': {
      if (!playing) {
        int demo[10] = {};
        std::copy(m_nDemoCell, m_nDemoCell + 9, demo + 1);
        Announce("Example square: " + SquareRowsText(demo) + ". Enter starts a game.");
        return true;
      }
      std::string text = m_strRoundLabel + ": " + SquareRowsText(m_nCell) + ".";
      if (m_nKeyPick >= 1 && m_nKeyPick <= 9)
        text += " " + Number(m_nCell[m_nKeyPick]) + " picked.";
      Announce(text);
      return true;
    }
    case 'L': {
      std::string text = "Before Sum " + Number(m_nBeforeSum) + ".";
      if (playing && !m_strAfterLabel.empty()) text += " " + m_strAfterLabel + ".";
      Announce(text + " " + LineValuesText(m_nLineDiff, m_nLineDiffSq));
      return true;
    }
    case 'T':
      if (m_bSwapTimerRunning)
        Announce(SecondsText(SecondsLeft(m_nCountdown, SwapTick())) + " left.");
      else if (m_nGameState == kStateRest)
        Announce("Resting. Enter starts round " + Number(m_nRound) + ".");
      else if (m_nGameState == kStateGameOver)
        Announce("Game over. Enter starts a new game.");
      else
        Announce("No game yet. Enter starts one.");
      return true;
    case 'P':
      if (!playing) {
        Announce("No score yet.");
        return true;
      }
      Announce("Score " + Number(m_nScore[kTotalSlot]) + ", bonus " + Number(m_nBonus[kTotalSlot]) +
               ", overall " + Number(Overall(m_nScore, m_nBonus)) + ".");
      return true;
    default:
      return false;
  }
}

void CMyKelvoView::DescribeForAccessibility(AccessibleNode& root) const {
  const bool playing = m_nGameState != kStateIdle;
  // A canvas, not a panel: a screen reader reads out every text inside a
  // panel that gets the focus, and the rules and hints are long.
  root.role = AccessibleRole::kCanvas;
  root.name = "Game";
  root.description = kKeysHelp;
  root.rect = m_rcClient;

  auto text = [&](const char* key, const std::string& name, const RECT& rect, bool shown) {
    AccessibleNode& node = root.Add(key, AccessibleRole::kText, name);
    node.rect = rect;
    node.hidden = !shown || name.empty();
    return &node;
  };
  text("round", m_strRoundLabel, m_rcRoundLabel, playing);
  text("countdown", SecondsText(m_nSpokenSeconds), m_rcCountdown, m_bSwapTimerRunning)
      ->description = "Time left";
  text("before", m_strBeforeLabel, m_rcBeforeLabel, playing);
  text("after", m_strAfterLabel, m_rcAfterLabel, playing);

  // The square: what a sighted player reads on it, the example before the
  // first game.  The keyboard cursor is the focused cell while a swap can
  // be made, from the first arrow key or Space of the round on: a player
  // who types numbers is not told of a focus moving at every round.
  AccessibleNode& square =
      root.Add("square", AccessibleRole::kTable, playing ? "Square" : "Example square");
  square.rows = 3;
  square.columns = 3;
  square.rect = {m_rcCell[1].left, m_rcCell[1].top, m_rcCell[9].right, m_rcCell[9].bottom};
  const bool swapOpen = SwapPeriodOpen();
  for (int k = 1; k <= 9; ++k) {
    const int digit = playing ? m_nCell[k] : m_nDemoCell[k - 1];
    std::string name = Number(digit);
    if (swapOpen && k == m_nKeyPick) name += " picked";
    AccessibleNode& cell = square.Add("cell" + Number(k), AccessibleRole::kCell, name);
    cell.row = (k - 1) / 3;
    cell.column = (k - 1) % 3;
    cell.rect = m_rcCell[k];
    cell.focused = swapOpen && m_bCursorKeysUsed && k == m_nKeyCursor;
  }

  AccessibleNode& lines = root.Add("lines", AccessibleRole::kPane, "Line values");
  for (int k = 0; k < 8; ++k) {
    AccessibleNode& line = lines.Add("line" + Number(k), AccessibleRole::kText,
                                     LineValueText(k, m_nLineDiff[k], m_nLineDiffSq[k]));
    line.rect = {m_rcLineDiff[k].left, m_rcLineDiff[k].top, m_rcLineDiffSq[k].right,
                 m_rcLineDiffSq[k].bottom};
  }

  // The score table as drawn: a row of points and a row of bonuses, one
  // column per round and the totals; rounds not reached yet are empty, and
  // round 1's bonus place holds the row's heading.
  AccessibleNode& table = root.Add("scores", AccessibleRole::kTable, "Score table");
  table.rows = 2;
  table.columns = kTotalSlot;
  table.hidden = !playing;
  table.rect = {m_rcScoreHeader.left, m_rcScoreCell[1].top, m_rcScoreCell[kTotalSlot].right,
                m_rcBonusCell[kTotalSlot].bottom};
  // During the rest the round number already names the coming round.
  const bool resting = m_nGameState == kStateRest && !m_bSwapTimerRunning;
  const int lastRound = std::min(m_nRound - (resting ? 1 : 0), kRounds);
  for (int row = 0; row < 2; ++row) {
    const int* values = row == 0 ? m_nScore : m_nBonus;
    const char* what = row == 0 ? " score" : " bonus";
    for (int i = 1; i <= kTotalSlot; ++i) {
      std::string name = g_strColumnLabel[i] + what;
      if (i == kTotalSlot || i <= lastRound) name += ": " + Number(values[i]);
      if (row == 1 && i == 1) name = "Bonus";
      AccessibleNode& cell =
          table.Add((row == 0 ? "score" : "bonus") + Number(i), AccessibleRole::kCell, name);
      cell.row = row;
      cell.column = i - 1;
      cell.rect = row == 0 ? m_rcScoreCell[i] : m_rcBonusCell[i];
    }
  }
  text("overall", "Overall " + Number(Overall(m_nScore, m_nBonus)), m_rcOverall, playing);
  text("banner", "PERFECT!", m_rcBanner,
       m_nGameState == kStateGameOver && m_nBonus[kTotalSlot] == kPerfectBonus);

  text("player", m_strPlayerLabel, m_rcPlayerLabel, true);
  text("rules", m_strInstructions, m_rcInstructions, true);
  // Not on the screen (F1 shows it), but there to be read at any time.
  text("hints", m_strHints, RECT{}, true);
}
