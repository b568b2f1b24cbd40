#include "screen/instructions_text.h"

#include <cctype>
#include <iterator>

namespace {

// The game's own words, typos included, in the pieces they were written in.
const char* const kInstructionPieces[] = {
    "The square to your left will have two numbers that are out of place. Swap them to make a "
    "magic square -- one whose rows, ",
    "columns, and diagonals add up to 15. If you succeed, you'll get 100 poins. If you come "
    "closer than you started, you'll get 30 ",
    "points. Otherwise you'll get no points. \nTo start a game or a round, press the Enter key. "
    "You'll have about 10 seconds to swap ",
    "two numbers, which is done by the click and drag method. Once you start, you should "
    "complete the 10 rounds that make up a game. ",
    "After you swap, you'll see the results and you'll have a short rest (about 15 seconds) "
    "before the next round. ",
    "\nTo determine ",
    "whether or not a swap results in an improvement, the difference between 15 and the sum of "
    "the numbers in each row, column, ",
    "and diagonal (blue number) is squared. These eight squared differences (red numbers) are "
    "added together. This computation is done ",
    "before and after your swap. If the 'after' sum is zero, you've got a magic square, worth "
    "100 points. If the 'after' sum is less than ",
    "the 'before' sum, you've made an improvement, worth 30 points. Any other result does not "
    "get you any points. ",
    "Two magic squares in a row will get you a 10-point bonus. Three in a row will get you "
    "another 20-point bonus. Four in a row ",
    "will get you another 40 points, and so on. If you get all ten, your bonuses will be 10 + "
    "20 + 40 ... + 2560 for a total of ",
    "5110 bonus points. If you play a perfect game, you'll get 6110 points overall. Press F1 "
    "for more information. ",
    "\nTo exit at any time, press the Alt and F4 keys.",
};

const char* const kHintPieces[] = {
    "HINTS: To help you get higher scores, remember the following: \n",
    "-  The 5 should always be in the center. \n",
    "-  The corners should always be even numbers. \n",
    "-  The 8 and the 2 are always on opposite corners of the square. \n",
    "-  The 6 and the 4 are always on opposite corners of the square. \n",
    "-  A single swap is all that is needed/allowed. \n",
    "\n",
    "RESTING: After a round ends, there will be a short rest period of about 15 seconds. If you "
    "want to start the next round sooner, ",
    "press the Enter key. \n\n",
    "REGISTER: You can register before a game starts or after it ends. The player name will "
    "appear above the instructions that are always ",
    "on the screen. If you get a perfect game with an overall score of 6110, and you are "
    "registered, then you can print a ",
    "certificate to that effect. If you are not registered, you may still do so at this time "
    "and then print the certificate. ",
};

// Told after the mouse's way in the rules a screen reader reads.
const char* const kMouseWay = "which is done by the click and drag method. ";
const char* const kKeyboardWay =
    "From the keyboard, type the two numbers, or move to each with the arrow keys and press "
    "Space. Plus and minus give more or less time to swap, between games. H or Pause pauses a "
    "round. ";

template <std::size_t N>
std::string Join(const char* const (&pieces)[N]) {
  std::string text;
  for (const char* piece : pieces) text += piece;
  return text;
}

bool IsWordCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// `text` one sentence a line: a line ends after a full stop, question or
// exclamation mark followed by a capital, and in place of a colon; a "-"
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
               std::isupper(static_cast<unsigned char>(after))) {
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

std::string BuildInstructionsText() { return Join(kInstructionPieces); }
std::string BuildHintsText() { return Join(kHintPieces); }

std::string BuildRulesForReader() {
  std::string rules = BuildInstructionsText();
  const std::size_t mouse = rules.find(kMouseWay);
  if (mouse != std::string::npos) rules.insert(mouse + std::string(kMouseWay).size(), kKeyboardWay);
  return OneSentenceALine(rules);
}

std::string BuildHintsForReader() { return OneSentenceALine(BuildHintsText()); }
