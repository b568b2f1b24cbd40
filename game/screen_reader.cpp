// What the view gives a screen reader: a description of the screen as a
// sighted player sees it, the help given with the focus, the keys that say
// the square, the line values, the time left and the score on demand, and
// the countdown in seconds with its warnings.  What is said unasked (a
// round's square, a pick, a swap's result) is said by the handlers that
// make it happen.
#include <algorithm>
#include <string>

#include "game/MyKelvoView.h"
#include "game/scoring.h"
#include "game/spoken_text.h"
#include "platform/language/translation.h"
#include "screen/score_table.h"

namespace {

// The usual ten seconds are warned of once, 3 s before their end; a period
// of 20 s or more at half time and 5 s before its end.
constexpr long long kShortWarningMs = 3000;
constexpr long long kLongWarningMs = 5000;
constexpr int kLongPeriodSeconds = 20;

std::string Number(long long value) { return std::to_string(value); }

// The smallest rectangle holding both.
RECT Union(const RECT& a, const RECT& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

int LineCount(const std::string& text) {
  return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

void CMyKelvoView::OnSetFocus() {
  // Once a game, in the words of the moment; a key or the focus leaving
  // takes it away again.
  if (m_nFocusHelpGame == m_nGamesStarted) return;
  m_nFocusHelpGame = m_nGamesStarted;
  const bool inGame = m_nGameState == kStateSwapPeriod || m_nGameState == kStateRest;
  m_strFocusHelp = FocusHelpText(inGame, m_nSwapSeconds);
}

void CMyKelvoView::OnKillFocus() { m_strFocusHelp.clear(); }

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
  // Once each, on the tick that crosses the mark; not after a swap, which
  // has already ended the period for the player.  A tick longer than the
  // mark warns on the last tick before the end instead.
  if (m_nGameState != kStateSwapPeriod) return;
  const long long leftMs = static_cast<long long>(m_nCountdown) * tick;
  const long long periodMs = static_cast<long long>(m_nSwapSeconds) * 1000;
  const bool longPeriod = m_nSwapSeconds >= kLongPeriodSeconds;
  const long long marks[] = {longPeriod ? periodMs / 2 : 0,
                             longPeriod ? kLongWarningMs : kShortWarningMs};
  for (const long long mark : marks) {
    const long long at = std::max<long long>(mark, tick);
    if (mark > 0 && leftMs > 0 && leftMs <= at && leftMs + tick > at) {
      Announce(SecondsLeftText(SecondsLeft(m_nCountdown, tick)));
      return;
    }
  }
}

std::string CMyKelvoView::NextStepText() const {
  if (m_bPaused) return _(kStillPausedText);
  switch (m_nGameState) {
    case kStateIdle:
      return _(kNoGameYetText);
    case kStateGameOver:
      return _(kGameOverNextText);
    case kStateRest:
      // A swap has been made; the period closes in a tick or two.
      if (m_bSwapTimerRunning) return _(kOneSwapARoundText);
      return RestingText(m_nRound);
    default:
      return _(kTimeIsUpText);
  }
}

bool CMyKelvoView::OnReadOutKey(UINT nChar) {
  const bool playing = m_nGameState != kStateIdle;
  switch (nChar) {
    case 'S': {
      if (!playing) {
        int demo[10] = {};
        std::copy(m_nDemoCell, m_nDemoCell + 9, demo + 1);
        Announce(ExampleSquareText(demo));
        return true;
      }
      std::string text = SquareRowsText(m_nCell) + ". " + m_strRoundLabel + ".";
      if (m_nKeyPick >= 1 && m_nKeyPick <= 9) text += " " + PickedText(m_nCell[m_nKeyPick]);
      Announce(text);
      return true;
    }
    case 'L': {
      std::string text = FormattedText(_("Before Sum %d"), m_nBeforeSum) + ".";
      if (playing && !m_strAfterLabel.empty()) text += " " + m_strAfterLabel + ".";
      Announce(text + " " + LineValuesText(m_nLineDiff, m_nLineDiffSq));
      return true;
    }
    case 'T': {
      const int secondsLeft = SecondsLeft(m_nCountdown, SwapTick());
      if (m_bPaused)
        Announce(PausedText(m_nGameState == kStateSwapPeriod ? secondsLeft : -1));
      else if (m_bSwapTimerRunning)
        Announce(SecondsLeftText(secondsLeft));
      else
        Announce(NextStepText());
      return true;
    }
    case 'P':
      if (!playing) {
        Announce(_("No score yet."));
        return true;
      }
      Announce(FormattedText(_("Score %d, bonus %d, overall %lld."), m_nScore[kTotalSlot],
                             m_nBonus[kTotalSlot], Overall(m_nScore, m_nBonus)));
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
  // TRANSLATORS: the names a screen reader gives the parts of the game's
  // screen.
  root.name = _("Game");
  root.description = m_strFocusHelp;
  root.rect = m_rcClient;

  auto text = [&](const char* key, const std::string& name, const RECT& rect, bool shown) {
    AccessibleNode& node = root.Add(key, AccessibleRole::kText, name);
    node.rect = rect;
    node.hidden = !shown || name.empty();
    return &node;
  };
  text("round", m_strRoundLabel, m_rcRoundLabel, playing);
  text("countdown", SecondsText(m_nSpokenSeconds), m_rcCountdown, m_bSwapTimerRunning)
      ->description = _("Time left");
  text("before", m_strBeforeLabel, m_rcBeforeLabel, playing);
  text("after", m_strAfterLabel, m_rcAfterLabel, playing);

  // The square: what a sighted player reads on it, the example before the
  // first game.  The keyboard cursor is the focused cell while a swap can
  // be made, from the first arrow key or Space of the round on: a player
  // who types numbers is not told of a focus moving at every round.
  AccessibleNode& square =
      root.Add("square", AccessibleRole::kTable, playing ? _("Square") : _("Example square"));
  square.rows = 3;
  square.columns = 3;
  square.rect = {m_rcCell[1].left, m_rcCell[1].top, m_rcCell[9].right, m_rcCell[9].bottom};
  // The focused cell also says where it is, as a player who cannot see the
  // cursor has to know; the others their numbers alone, so that the square
  // read row by row stays short.
  const bool swapOpen = SwapPeriodOpen();
  for (int k = 1; k <= 9; ++k) {
    const int digit = playing ? m_nCell[k] : m_nDemoCell[k - 1];
    const bool focused = swapOpen && m_bCursorKeysUsed && k == m_nKeyCursor;
    std::string name =
        swapOpen && k == m_nKeyPick ? FormattedText(_("%d picked"), digit) : Number(digit);
    if (focused) name += ", " + CellPlaceText(k);
    AccessibleNode& cell = square.Add("cell" + Number(k), AccessibleRole::kCell, name);
    cell.row = (k - 1) / 3;
    cell.column = (k - 1) % 3;
    cell.rect = m_rcCell[k];
    cell.focused = focused;
  }

  AccessibleNode& lines = root.Add("lines", AccessibleRole::kPane, _("Line values"));
  lines.rect = Union(m_rcLineDiff[0], m_rcLineDiffSq[0]);
  for (int k = 0; k < 8; ++k) {
    AccessibleNode& line = lines.Add("line" + Number(k), AccessibleRole::kText,
                                     LineValueText(k, m_nLineDiff[k], m_nLineDiffSq[k]));
    line.rect = Union(m_rcLineDiff[k], m_rcLineDiffSq[k]);
    lines.rect = Union(lines.rect, line.rect);
  }

  // The score table as drawn: a row of points and a row of bonuses, one
  // column per round and the totals; rounds not reached yet are empty, and
  // round 1's bonus place holds the row's heading.
  AccessibleNode& table = root.Add("scores", AccessibleRole::kTable, _("Score table"));
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
    // TRANSLATORS: a cell of the score table, named by its column's
    // heading ("Round 3 score", "Total bonus"), then its number.
    const char* what = row == 0 ? _("%s score") : _("%s bonus");
    for (int i = 1; i <= kTotalSlot; ++i) {
      std::string name = FormattedText(what, ColumnLabel(i).c_str());
      if (i == kTotalSlot || i <= lastRound) name += " " + Number(values[i]);
      if (row == 1 && i == 1) name = C_("score table", "Bonus");
      AccessibleNode& cell =
          table.Add((row == 0 ? "score" : "bonus") + Number(i), AccessibleRole::kCell, name);
      cell.row = row;
      cell.column = i - 1;
      cell.rect = row == 0 ? m_rcScoreCell[i] : m_rcBonusCell[i];
    }
  }
  text("overall", FormattedText(_("Overall %lld"), Overall(m_nScore, m_nBonus)), m_rcOverall,
       playing);
  text("banner", "PERFECT!", m_rcBanner,
       m_nGameState == kStateGameOver && m_nBonus[kTotalSlot] == kPerfectBonus);

  text("player", m_strPlayerLabel, m_rcPlayerLabel, true);
  // The rules and the hints as texts read by line and by word.  The hints
  // are not on the screen (F1 shows them) but there to be read at any time:
  // they share the rules' panel, the rules above and the hints below, each
  // given a height for its lines, so that reading the screen from top to
  // bottom meets both.
  const int rulesLines = LineCount(m_strRulesForReader);
  const int allLines = rulesLines + LineCount(m_strHintsForReader);
  const RECT& panel = m_rcInstructions;
  const int split = panel.top + (panel.bottom - panel.top) * rulesLines / allLines;
  text("rules", _("Rules"), {panel.left, panel.top, panel.right, split}, true)->text =
      m_strRulesForReader;
  text("hints", _("Hints"), {panel.left, split, panel.right, panel.bottom}, true)->text =
      m_strHintsForReader;
}
