#include "game/spoken_text.h"

#include <string>

#include "game/scoring.h"
#include "game/swap_period.h"
#include "platform/language/translation.h"

// TRANSLATORS: the game's spoken texts are said by a screen reader, often
// and while the player acts: keep them short, and keep to commas and full
// stops (a screen reader reads a colon, a semicolon or a dash aloud).
const char* const kSameNumberTwiceText = N_("Refused, the same number twice.");
const char* const kRefusedText = N_("Refused.");
// TRANSLATORS: H is the key, the same in every language.
const char* const kStillPausedText = N_("Paused. H resumes.");
const char* const kNothingToPauseText = N_("No round to pause.");
const char* const kNoGameYetText = N_("No game yet. Enter starts one.");
const char* const kGameOverNextText = N_("Game over. Enter starts a new game.");
const char* const kOneSwapARoundText = N_("One swap a round.");
const char* const kTimeIsUpText = N_("Time is up.");

namespace {

// TRANSLATORS: spoken after a perfect game; Ctrl+P is the keys that print,
// as your keyboard names them.
std::string CertificateText() { return _("Ctrl+P prints your certificate."); }

std::string Digits(const int cell[10], int firstCell) {
  return std::to_string(cell[firstCell]) + " " + std::to_string(cell[firstCell + 1]) + " " +
         std::to_string(cell[firstCell + 2]);
}

// "-7 squared 49", or "0" for a line on 15.
std::string DiffWithSquare(int diff, int diffSq) {
  if (diff == 0) return "0";
  // TRANSLATORS: a line's distance from 15 and its square, "-7 squared 49".
  return FormattedText(_("%d squared %d"), diff, diffSq);
}

std::string OverallSentence(const int score[12], const int bonus[12]) {
  return FormattedText(_("Overall %lld"), Overall(score, bonus)) + ".";
}

bool Untimed(int seconds) { return seconds >= kMaxSwapSeconds; }

unsigned long Count(int n) { return n < 0 ? 0ul : static_cast<unsigned long>(n); }

}  // namespace

std::string SquareRowsText(const int cell[10]) {
  return Digits(cell, 1) + ", " + Digits(cell, 4) + ", " + Digits(cell, 7);
}

std::string RoundStartText(int round, const int cell[10]) {
  // TRANSLATORS: the square row by row ("8 1 6, 3 5 7, 4 9 2") and the
  // round's number; said as the round starts, so kept to that.
  return FormattedText(_("%s. Round %d."), SquareRowsText(cell).c_str(), round);
}

std::string ExampleSquareText(const int cell[10]) {
  // TRANSLATORS: the square shown before the first game, row by row.
  return FormattedText(_("Example square, %s. Enter starts a game."), SquareRowsText(cell).c_str());
}

std::string CellPlaceText(int cell) {
  // TRANSLATORS: where a cell of the 3 x 3 square lies, said after its
  // number ("8, top middle").
  static const char* const places[] = {
      NC_("cell", "top left"),    NC_("cell", "top middle"),    NC_("cell", "top right"),
      NC_("cell", "middle left"), NC_("cell", "center"),        NC_("cell", "middle right"),
      NC_("cell", "bottom left"), NC_("cell", "bottom middle"), NC_("cell", "bottom right")};
  return cell >= 1 && cell <= 9 ? C_("cell", places[cell - 1]) : "";
}

std::string EdgeText(int dRow, int dColumn) {
  // TRANSLATORS: the cursor, moved by an arrow key, met the square's edge.
  if (dRow < 0) return _("Top edge.");
  if (dRow > 0) return _("Bottom edge.");
  return dColumn < 0 ? _("Left edge.") : _("Right edge.");
}

// TRANSLATORS: a number of the square picked to be swapped, "9 picked".
std::string PickedText(int digit) { return FormattedText(_("%d picked"), digit) + "."; }
// TRANSLATORS: a pick given up, "9 let go."
std::string LetGoText(int digit) { return FormattedText(_("%d let go."), digit); }

std::string LineName(int line) {
  // TRANSLATORS: the square's rows (1 at the top) and columns (1 at the
  // left), and its two diagonals.
  if (line >= 0 && line < 3) return FormattedText(_("Row %d"), line + 1);
  if (line >= 3 && line < 6) return FormattedText(_("Column %d"), line - 2);
  if (line == 6) return _("Diagonal from top left");
  if (line == 7) return _("Diagonal from top right");
  return {};
}

std::string LineValueText(int line, int diff, int diffSq) {
  if (diff == 0) return LineName(line) + ", 0";
  // TRANSLATORS: a line, its distance from 15 and that distance's square,
  // "Row 1, -7, squared 49".
  return FormattedText(_("%s, %d, squared %d"), LineName(line).c_str(), diff, diffSq);
}

std::string LineValuesText(const int diff[8], const int diffSq[8]) {
  std::string text;
  // TRANSLATORS: each group's values, "-7 squared 49, 7 squared 49, 0".
  const struct {
    const char* name;
    int first;
    int count;
  } groups[] = {{N_("Rows %s."), 0, 3}, {N_("Columns %s."), 3, 3}, {N_("Diagonals %s."), 6, 2}};
  for (const auto& group : groups) {
    std::string values;
    for (int k = group.first; k < group.first + group.count; ++k) {
      if (k != group.first) values += ", ";
      values += DiffWithSquare(diff[k], diffSq[k]);
    }
    if (!text.empty()) text += " ";
    text += FormattedText(_(group.name), values.c_str());
  }
  return text;
}

int SecondsLeft(int countdown, unsigned tickMs) {
  if (countdown <= 0) return 0;
  const long long ms = static_cast<long long>(countdown) * tickMs;
  return static_cast<int>((ms + 999) / 1000);
}

std::string SecondsText(int seconds) {
  return FormattedText(TranslatedCount("%d second", "%d seconds", Count(seconds)), seconds);
}

std::string SecondsLeftText(int seconds) {
  return FormattedText(TranslatedCount("%d second left.", "%d seconds left.", Count(seconds)),
                       seconds);
}

std::string SwapSecondsText(int seconds) {
  // TRANSLATORS: the time to swap two numbers, chosen between games; the
  // longest, 600 seconds, is practically untimed.
  if (Untimed(seconds))
    return FormattedText(
        TranslatedCount("%d second to swap, practically untimed.",
                        "%d seconds to swap, practically untimed.", Count(seconds)),
        seconds);
  return FormattedText(TranslatedCount("%d second to swap.", "%d seconds to swap.", Count(seconds)),
                       seconds);
}

std::string SwapSecondsAtLimitText(int seconds, bool longest) {
  // TRANSLATORS: a plus or minus that cannot change the time to swap any
  // more; %s is "600 seconds to swap, practically untimed." or "10 seconds
  // to swap."
  return FormattedText(longest ? _("Already the longest, %s") : _("Already the shortest, %s"),
                       SwapSecondsText(seconds).c_str());
}

std::string SwapSecondsBetweenGamesText(int seconds) {
  return FormattedText(
      TranslatedCount("The time changes between games only, now %d second.",
                      "The time changes between games only, now %d seconds.", Count(seconds)),
      seconds);
}

std::string PausedText(int secondsLeft) {
  // TRANSLATORS: %s is the time left, "7 seconds left."
  return secondsLeft < 0 ? _("Paused.")
                         : FormattedText(_("Paused, %s"), SecondsLeftText(secondsLeft).c_str());
}

std::string ResumedText(int secondsLeft) {
  return secondsLeft < 0 ? _("Resumed.")
                         : FormattedText(_("Resumed, %s"), SecondsLeftText(secondsLeft).c_str());
}

std::string RestingText(int nextRound) {
  return FormattedText(_("Resting. Enter starts round %d."), nextRound);
}

std::string FocusHelpText(bool inGame, int swapSeconds) {
  // TRANSLATORS: the help on the keys, said once a game.  S, L, T, P, H,
  // Space, Pause and F1 are the keys' names, the same in every language.
  return std::string(inGame ? _("Enter starts the next round.") : _("Enter starts a game.")) + " " +
         FormattedText(
             TranslatedCount("Type two numbers to swap them, or use the arrows and Space. S, L, "
                             "T and P say the square, lines, time and score. Plus and minus "
                             "change the time to swap between games, now %d second. H or Pause "
                             "pauses. F1 gives hints.",
                             "Type two numbers to swap them, or use the arrows and Space. S, L, "
                             "T and P say the square, lines, time and score. Plus and minus "
                             "change the time to swap between games, now %d seconds. H or Pause "
                             "pauses. F1 gives hints.",
                             Count(swapSeconds)),
             swapSeconds);
}

std::string SwapResultText(int first, int second, int round, const int score[12],
                           const int bonus[12], int afterSum) {
  std::string text = FormattedText(_("%d and %d swapped."), first, second) + " ";
  const int points = round >= 1 && round <= 10 ? score[round] : 0;
  if (afterSum == 0) {
    const int roundBonus = round >= 1 && round <= 10 ? bonus[round] : 0;
    // TRANSLATORS: a magic square earns 100 points, and from the second in
    // a row on a bonus of 10, 20, 40 ... points.
    text += roundBonus > 0 ? FormattedText(_("Magic square! 100 points, bonus %d."), roundBonus)
                           : _("Magic square! 100 points, no bonus.");
  } else if (points > 0) {
    // TRANSLATORS: "After Sum" as on the screen's label; the sum of the
    // squared distances after the swap came nearer to 0.
    text += FormattedText(_("Closer, After Sum %d."), afterSum) + " " +
            FormattedText(TranslatedCount("%d point.", "%d points.", Count(points)), points);
  } else {
    text += FormattedText(_("Not closer, After Sum %d. No points."), afterSum);
  }
  return text + " " + OverallSentence(score, bonus);
}

std::string TimeUpText(const int score[12], const int bonus[12], int swapSecondsToName) {
  std::string text =
      std::string(_("Time is up. No swap, no points.")) + " " + OverallSentence(score, bonus);
  if (swapSecondsToName <= 0) return text;
  // TRANSLATORS: plus and minus are keys.
  return text + " " +
         FormattedText(TranslatedCount("Plus and minus change the time to swap between games, "
                                       "now %d second.",
                                       "Plus and minus change the time to swap between games, "
                                       "now %d seconds.",
                                       Count(swapSecondsToName)),
                       swapSecondsToName);
}

std::string GameOverText(const int score[12], const int bonus[12], bool perfect, bool named) {
  std::string text = FormattedText(_("Game over. Score %d, bonus %d, overall %lld."), score[11],
                                   bonus[11], Overall(score, bonus));
  if (!perfect) return text;
  // TRANSLATORS: spoken; the banner on the screen says PERFECT! in every
  // language.
  text += std::string(" ") + C_("spoken", "PERFECT!") + " ";
  // TRANSLATORS: Ctrl+P as your keyboard names it.
  return text + (named ? CertificateText()
                       : std::string(_("To print your certificate, enter your name from the "
                                       "Register menu, then press Ctrl+P.")));
}

// TRANSLATORS: GO is the round-start sound, as the Sounds menu names it.
std::string GoSoundText(bool on) { return on ? _("GO sound on.") : _("GO sound off."); }

std::string NameSavedText(const std::string& name, bool canPrint) {
  if (name.empty()) return _("Name cleared.");
  // TRANSLATORS: %s is the player's name.
  const std::string registered = FormattedText(_("%s registered."), name.c_str());
  return canPrint ? registered + " " + CertificateText() : registered;
}
