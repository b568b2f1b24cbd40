#include "screen/instructions_text.h"

#include <cctype>

#include "platform/language/translation.h"

namespace {

// The game's own words, typos included.  Each paragraph is translated
// whole, but for the rules' long third one, which comes in two; the spaces
// and line ends between them are the layout's, not the translator's.
std::string RulesOpening() {
  // TRANSLATORS: the rules, always on the screen in a panel of fixed size,
  // in four paragraphs; this is the first.  "poins" is the game's spelling
  // of "points".
  return _(
      "The square to your left will have two numbers that are out of place. Swap them to "
      "make a magic square -- one whose rows, columns, and diagonals add up to 15. If you "
      "succeed, you'll get 100 poins. If you come closer than you started, you'll get 30 "
      "points. Otherwise you'll get no points.");
}
// The way to swap with the mouse ends the first half, so that the
// keyboard's way can follow it in the rules a screen reader reads.
std::string RulesHowToStart() {
  return _(
      "To start a game or a round, press the Enter key. You'll have about 10 seconds to "
      "swap two numbers, which is done by the click and drag method.");
}
std::string RulesKeyboardWay() {
  // TRANSLATORS: told to a screen reader only, after "...which is done by
  // the click and drag method."; H, Space and Pause are keys.
  return _(
      "From the keyboard, type the two numbers, or move to each with the arrow keys and "
      "press Space. Plus and minus give more or less time to swap, between games. H or "
      "Pause pauses a round.");
}
std::string RulesRoundAndRest() {
  return _(
      "Once you start, you should complete the 10 rounds that make up a game. After you "
      "swap, you'll see the results and you'll have a short rest (about 15 seconds) before "
      "the next round.");
}
std::string RulesScoring() {
  return std::string(
             _("To determine whether or not a swap results in an improvement, the difference "
               "between 15 and the sum of the numbers in each row, column, and diagonal (blue "
               "number) is squared. These eight squared differences (red numbers) are added "
               "together. This computation is done before and after your swap. If the 'after' "
               "sum is zero, you've got a magic square, worth 100 points. If the 'after' sum is "
               "less than the 'before' sum, you've made an improvement, worth 30 points. Any "
               "other result does not get you any points.")) +
         " " +
         _("Two magic squares in a row will get you a 10-point bonus. Three in a row will get "
           "you another 20-point bonus. Four in a row will get you another 40 points, and so "
           "on. If you get all ten, your bonuses will be 10 + 20 + 40 ... + 2560 for a total "
           "of 5110 bonus points. If you play a perfect game, you'll get 6110 points overall. "
           "Press F1 for more information.");
}
std::string RulesClosing() {
  // TRANSLATORS: Alt and F4 as your keyboard names them.
  return _("To exit at any time, press the Alt and F4 keys.");
}

// `howToPlay`: the second paragraph's first half and whatever follows it.
std::string Rules(const std::string& howToPlay) {
  return RulesOpening() + " \n" + howToPlay + " " + RulesRoundAndRest() + " \n" + RulesScoring() +
         " \n" + RulesClosing();
}

bool IsWordCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// `text` one sentence a line: a line ends after a full stop, question or
// exclamation mark followed by a capital (or a letter beyond ASCII, as a
// translation's capitals may be), and in place of a colon; a "-"
// bullet at a line's start goes, "--" becomes a comma and a hyphen inside
// a word a space; no line is blank or ends in a space.
std::string OneSentenceALine(const std::string& text) {
  std::string out;
  const auto endLine = [&out] {
    while (!out.empty() && out.back() == ' ') out.pop_back();
    if (!out.empty() && out.back() != '\n') out += '\n';
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    const char after = i + 2 < text.size() ? text[i + 2] : '\0';
    const bool lineStart = out.empty() || out.back() == '\n';
    if (c == '\n') {
      endLine();
    } else if (lineStart && (c == ' ' || c == '-')) {
      // A bullet or the spaces before a line's words.
    } else if ((c == '.' || c == '!' || c == '?') && next == ' ' &&
               (std::isupper(static_cast<unsigned char>(after)) ||
                static_cast<unsigned char>(after) >= 0xC0)) {
      out += c;
      endLine();
    } else if (c == ':' && (next == ' ' || next == '\n')) {
      endLine();
    } else if (c == '-' && next == '-') {
      while (!out.empty() && out.back() == ' ') out.pop_back();
      out += ',';
      ++i;
    } else if (c == '-' && !out.empty() && IsWordCharacter(out.back()) && IsWordCharacter(next)) {
      out += ' ';
    } else {
      out += c;
    }
  }
  endLine();
  if (!out.empty()) out.pop_back();
  return out;
}

}  // namespace

std::string BuildInstructionsText() { return Rules(RulesHowToStart()); }

std::string BuildHintsText() {
  // TRANSLATORS: the hints F1 shows, in a message box: a heading in
  // capitals ending in a colon (a screen reader's version of the text ends
  // a line there), five hints, and two paragraphs that start with their
  // own such heading.
  std::string text = std::string(_("HINTS: To help you get higher scores, remember the "
                                   "following:")) +
                     " \n";
  const char* const hints[] = {
      _("The 5 should always be in the center."),
      _("The corners should always be even numbers."),
      _("The 8 and the 2 are always on opposite corners of the square."),
      _("The 6 and the 4 are always on opposite corners of the square."),
      _("A single swap is all that is needed/allowed."),
  };
  for (const char* hint : hints) text += std::string("-  ") + hint + " \n";
  text += "\n";
  text +=
      _("RESTING: After a round ends, there will be a short rest period of about 15 seconds. "
        "If you want to start the next round sooner, press the Enter key.");
  text += " \n\n";
  text +=
      _("REGISTER: You can register before a game starts or after it ends. The player name "
        "will appear above the instructions that are always on the screen. If you get a "
        "perfect game with an overall score of 6110, and you are registered, then you can "
        "print a certificate to that effect. If you are not registered, you may still do so "
        "at this time and then print the certificate.");
  return text + " ";
}

std::string BuildRulesForReader() {
  return OneSentenceALine(Rules(RulesHowToStart() + " " + RulesKeyboardWay()));
}

std::string BuildHintsForReader() { return OneSentenceALine(BuildHintsText()); }
