// The rules on the screen and the hints behind F1: fixed texts assembled from
// pieces.  A piece lost, doubled or joined without its space changes the
// length or the paragraphs; a well-meant correction loses a typo the game
// keeps.
#include "screen/instructions_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "game/MyKelvoView.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\n')
      lines.emplace_back();
    else
      lines.back() += c;
  }
  return lines;
}

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

TEST(InstructionsText, RulesAreFourParagraphsOf1526CharactersTypoKept) {
  const CMyKelvoView view;
  const std::string& rules = view.m_strInstructions;
  EXPECT_EQ(rules.size(), 1526u);
  const std::vector<std::string> paragraphs = Lines(rules);
  ASSERT_EQ(paragraphs.size(), 4u);
  const char* const openings[] = {"The square to your left will have two numbers",
                                  "To start a game or a round, press the Enter key.",
                                  "To determine whether or not a swap",
                                  "To exit at any time, press the Alt and F4 keys."};
  for (int k = 0; k < 4; ++k) {
    EXPECT_TRUE(StartsWith(paragraphs[k], openings[k])) << paragraphs[k];
    // Each paragraph but the last keeps the space after its last sentence.
    if (k < 3) {
      EXPECT_EQ(paragraphs[k].substr(paragraphs[k].size() - 2), ". ") << k;
    }
  }
  EXPECT_EQ(paragraphs[3], openings[3]);
  // The pieces meet with one space, never two and never none.
  EXPECT_EQ(rules.find("  "), std::string::npos);
  EXPECT_NE(rules.find("rows, columns, and diagonals"), std::string::npos);
  EXPECT_NE(rules.find("If you succeed, you'll get 100 poins. "), std::string::npos);
  EXPECT_NE(rules.find("10 + 20 + 40 ... + 2560 for a total of 5110 bonus points. "),
            std::string::npos);
  EXPECT_NE(rules.find("you'll get 6110 points overall. Press F1 for more information. "),
            std::string::npos);
}

TEST(InstructionsText, HintsAreFiveHintsThenRestingThenRegisteringIn855Characters) {
  const CMyKelvoView view;
  const std::string& hints = view.m_strHints;
  EXPECT_EQ(hints.size(), 855u);
  const std::vector<std::string> lines = Lines(hints);
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[0], "HINTS: To help you get higher scores, remember the following: ");
  for (int k = 1; k <= 5; ++k) EXPECT_TRUE(StartsWith(lines[k], "-  ")) << lines[k];
  EXPECT_EQ(lines[5], "-  A single swap is all that is needed/allowed. ");
  EXPECT_EQ(lines[6], "");
  EXPECT_TRUE(StartsWith(lines[7], "RESTING: ")) << lines[7];
  EXPECT_EQ(lines[8], "");
  EXPECT_TRUE(StartsWith(lines[9], "REGISTER: ")) << lines[9];
  for (int k : {0, 1, 2, 3, 4, 5, 7, 9}) EXPECT_EQ(lines[k].back(), ' ') << lines[k];
  EXPECT_NE(hints.find("rest period of about 15 seconds. If you want to start the next "
                       "round sooner, press the Enter key."),
            std::string::npos);
  EXPECT_NE(hints.find("overall score of 6110, and you are registered, then you can print a "
                       "certificate to that effect."),
            std::string::npos);
}

// Letters and digits only: what is read aloud, punctuation and spacing aside.
std::string Spoken(const std::string& text) {
  std::string out;
  for (char c : text)
    if (std::isalnum(static_cast<unsigned char>(c))) out += c;
  return out;
}

// The rules and hints as a screen reader reads them: every word of the
// drawn texts in order, one sentence a line, nothing a reader would say as
// a mark ("colon", "dash"); the rules tell the keyboard's way after the
// mouse's.
TEST(InstructionsText, ForAScreenReaderTheSameWordsOneSentenceALineWithTheKeyboardWay) {
  const std::string rules = BuildRulesForReader();
  const std::string hints = BuildHintsForReader();
  const std::string mouse = "which is done by the click and drag method.\n";
  ASSERT_NE(rules.find(mouse), std::string::npos);
  const std::size_t after = rules.find(mouse) + mouse.size();
  const std::string keyboard = rules.substr(after, rules.find("Once you start", after) - after);
  EXPECT_TRUE(StartsWith(keyboard, "From the keyboard, type the two numbers")) << keyboard;
  EXPECT_EQ(Spoken(rules.substr(0, after) + rules.substr(after + keyboard.size())),
            Spoken(BuildInstructionsText()));
  EXPECT_EQ(Spoken(hints), Spoken(BuildHintsText()));
  for (const std::string& text : {rules, hints})
    for (const std::string& line : Lines(text))
      EXPECT_TRUE(!line.empty() && line.back() != ' ' && line.front() != ' ' &&
                  line.find_first_of(":;-") == std::string::npos)
          << "[" << line << "]";
  EXPECT_EQ(Lines(hints)[2], "The 5 should always be in the center.");
  EXPECT_EQ(Lines(rules).size(), 25u);
}

}  // namespace
