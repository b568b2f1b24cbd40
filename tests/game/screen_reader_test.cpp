// What a screen reader gets from the game: the announcements said unasked,
// the keys that say things on demand or give time (the pause, the swap
// period's length), the cursor's words, and the description of the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "game/MyKelvoView.h"
#include "game/spoken_text.h"
#include "platform/interface/virtual_keys.h"
#include "sound/sound_ids.h"
#include "support/game_play.h"

namespace {

// Whether text has the form of pattern, where '#' stands for one digit and
// '+' for one or more digits.  (std::regex trips a false uninitialised-use
// warning of GCC 12 under the sanitizers.)
bool HasForm(const std::string& text, const std::string& pattern) {
  size_t t = 0;
  for (const char p : pattern) {
    const auto digit = [&] { return t < text.size() && text[t] >= '0' && text[t] <= '9'; };
    if (p == '#' || p == '+') {
      if (!digit()) return false;
      ++t;
      while (p == '+' && digit()) ++t;
    } else if (t >= text.size() || text[t++] != p) {
      return false;
    }
  }
  return t == text.size();
}

// The square of an "a b c, d e f, g h i. Round N." announcement, or false;
// round 1 goes on with the time to swap and its keys.
bool SquareHeard(const std::string& text, int round, int cell[10]) {
  const std::string square = text.substr(0, 19);
  const std::string rest = text.substr(std::min<std::size_t>(19, text.size()));
  const std::string roundText = ". Round " + std::to_string(round);
  if (!HasForm(square, "# # #, # # #, # # #") || rest.rfind(roundText, 0) != 0) return false;
  if (round > 1 && rest != roundText + ".") return false;
  for (int k = 1; k <= 9; ++k) cell[k] = square[2 * (k - 1) + (k - 1) / 3] - '0';
  return true;
}

std::vector<std::string> Keys(const AccessibleNode& node) {
  std::vector<std::string> keys{node.key};
  for (const AccessibleNode& child : node.children) {
    const std::vector<std::string> below = Keys(child);
    keys.insert(keys.end(), below.begin(), below.end());
  }
  return keys;
}

std::string NameOf(const AccessibleNode& root, const std::string& key) {
  const AccessibleNode* node = root.Find(key);
  return node ? node->name : "(missing " + key + ")";
}

std::vector<std::string> CellNames(const AccessibleNode& root) {
  std::vector<std::string> names;
  for (int k = 1; k <= 9; ++k) names.push_back(NameOf(root, "cell" + std::to_string(k)));
  return names;
}

std::string FocusedKey(const AccessibleNode& root) {
  const AccessibleNode* focused = root.FocusedPart();
  return focused ? focused->key : "";
}

}  // namespace

// A whole perfect game played by someone who only hears the game: each
// round's square is taken from what was said at its start, the swap is
// typed, and every result is said.
TEST(ScreenReader, APerfectGameCanBePlayedFromWhatIsSaid) {
  GameTable table;
  const auto& said = table.host.Announced();
  table.Enter();
  for (int round = 1; round <= kRounds; ++round) {
    ASSERT_FALSE(said.empty());
    int cell[10] = {};
    ASSERT_TRUE(SquareHeard(said.back(), round, cell)) << said.back();
    const auto pair = FindMagicExchange(cell);
    ASSERT_TRUE(pair);
    const int first = cell[pair->first];
    const int second = cell[pair->second];
    table.host.ClearAnnounced();
    table.Key(static_cast<UINT>('0' + first));
    table.Key(static_cast<UINT>('0' + second));
    ASSERT_EQ(said.size(), 2u);
    EXPECT_EQ(said[0], std::to_string(first) + " picked.");
    const int bonus = round == 1 ? 0 : 10 << (round - 2);
    const std::string bonusText = bonus ? "bonus " + std::to_string(bonus) : "no bonus";
    EXPECT_EQ(said[1], std::to_string(first) + " and " + std::to_string(second) +
                           " swapped. Magic square! 100 points, " + bonusText + ". Overall " +
                           std::to_string(table.view.m_nScore[11] + table.view.m_nBonus[11]) + ".");
    table.host.ClearAnnounced();
    table.RunOutSwapPeriod();
    // A swap has said its result: nothing more at the close.
    if (round < kRounds) {
      EXPECT_TRUE(said.empty()) << said.front();
      table.Enter();
    }
  }
  // With no name entered, how to get the certificate.
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0],
            "Game over. Score 1000, bonus 5110, overall 6110. PERFECT! To print your certificate, "
            "enter your name from the Register menu, then press Ctrl+P.");
}

// Refusals, the time up, and the replies of a number, an arrow or Space
// that cannot act now: what comes next.
TEST(ScreenReader, RefusalsTimeUpAndKeysThatCannotActAreSaid) {
  GameTable table;
  const auto& said = table.host.Announced();
  table.Key('5');
  EXPECT_EQ(said, std::vector<std::string>{"No game yet. Enter starts one."});
  table.Enter();
  table.view.MakePuzzle(0, 0);  // 1 8 6 / 3 5 7 / 4 9 2
  table.host.Paint();
  table.host.ClearAnnounced();

  for (UINT key : {UINT{'8'}, UINT{'8'}, UINT{'6'}, VK_ESCAPE}) table.Key(key);
  while (table.view.m_nCountdown > 0) table.Tick();
  table.Key(VK_SPACE);
  table.Tick();
  table.Key(VK_NUMPAD0 + 3);
  table.Drag(1, 2);  // refused aloud, as its sound says
  EXPECT_EQ(said,
            (std::vector<std::string>{"8 picked.", "Refused, the same number twice.", "6 picked.",
                                      "6 let go.", "3 seconds left.", "Time is up.",
                                      "Time is up. No swap, no points. Overall 0. Plus and "
                                      "minus change the time to swap between games, now 10 "
                                      "seconds.",
                                      "Resting. Enter starts round 2.", "Refused."}));
  EXPECT_EQ(table.cues.Count(IDR_SOUND_REFUSED), 2);
  table.Enter();
  table.SwapToMagic(/*typed=*/true);
  table.Key(VK_LEFT);
  EXPECT_EQ(said.back(), "One swap a round.");
}

TEST(ScreenReader, ASwapThatOnlyImprovesOrDoesNotSaysSo) {
  const struct {
    std::function<bool(int, int)> wanted;
    const char* said;
  } swaps[] = {
      {[](int after, int before) { return after > 0 && after < before; },
       "# and # swapped. Closer, After Sum +. 30 points. Overall 30."},
      {[](int after, int before) { return after > before; },
       "# and # swapped. Not closer, After Sum +. No points. Overall 30."},
  };
  GameTable table;
  const auto& said = table.host.Announced();
  for (const auto& swap : swaps) {
    table.Enter();
    table.view.MakePuzzle(0, 0);  // 1 8 6 / 3 5 7 / 4 9 2, before-sum 147
    table.host.Paint();
    const auto pair = FindExchange(table.view.m_nCell, swap.wanted);
    ASSERT_TRUE(pair);
    table.host.ClearAnnounced();
    table.Drag(pair->first, pair->second);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_TRUE(HasForm(said[0], swap.said)) << said[0];
    table.RunOutSwapPeriod();
  }
}

// S, L, T and P say what the screen shows, in every state, and change
// nothing of the game.
TEST(ScreenReader, KeysSayTheSquareLinesTimeAndScore) {
  GameTable table;
  const auto& said = table.host.Announced();
  for (UINT key : {'S', 'L', 'T', 'P'}) table.Key(key);
  EXPECT_EQ(said, (std::vector<std::string>{
                      "Example square, 8 1 6, 3 2 7, 4 9 5. Enter starts a game.",
                      "Before Sum 45. Rows 0, -3 squared 9, 3 squared 9. Columns 0, -3 squared 9, "
                      "3 squared 9. Diagonals 0, -3 squared 9.",
                      "No game yet. Enter starts one.", "No score yet."}));

  table.Enter();
  table.view.MakePuzzle(0, 0);
  table.host.Paint();
  for (int i = 0; i < 25; ++i) table.Tick();  // 75 on the screen
  table.Key('1');
  table.host.ClearAnnounced();
  table.cues.Clear();
  for (UINT key : {'S', 'L', 'T', 'P'}) table.Key(key);
  EXPECT_EQ(said, (std::vector<std::string>{
                      "1 8 6, 3 5 7, 4 9 2. Round 1. 1 picked.",
                      "Before Sum 147. Rows 0, 0, 0. Columns -7 squared 49, 7 squared 49, 0. "
                      "Diagonals -7 squared 49, 0.",
                      "8 seconds left.", "Score 0, bonus 0, overall 0."}));
  EXPECT_TRUE(table.cues.plays.empty());
  EXPECT_EQ(table.view.m_nKeyPick, 1);
  EXPECT_EQ(table.view.m_nGameState, kStateSwapPeriod);

  table.Key('8');
  table.RunOutSwapPeriod();
  table.host.ClearAnnounced();
  for (UINT key : {'L', 'T', 'P'}) table.Key(key);
  EXPECT_EQ(said, (std::vector<std::string>{
                      "Before Sum 147. After Sum 0. Rows 0, 0, 0. Columns 0, 0, 0. Diagonals 0, 0.",
                      "Resting. Enter starts round 2.", "Score 100, bonus 0, overall 100."}));
}

// The description: what a sighted player sees, in parts that keep their
// place from the first screen to the end of the game.
TEST(ScreenReader, TheDescriptionFollowsTheScreen) {
  GameTable table;
  const AccessibleNode idle = table.host.Description();
  EXPECT_EQ(NameOf(idle, "square"), "Example square");
  EXPECT_EQ(CellNames(idle),
            (std::vector<std::string>{"8", "1", "6", "3", "2", "7", "4", "9", "5"}));
  EXPECT_EQ(NameOf(idle, "line1"), "Row 2, -3, squared 9");
  EXPECT_EQ(NameOf(idle, "line7"), "Diagonal from top right, -3, squared 9");
  EXPECT_TRUE(idle.Find("scores")->hidden);
  EXPECT_TRUE(idle.Find("round")->hidden);
  EXPECT_EQ(FocusedKey(idle), "");
  EXPECT_EQ(NameOf(idle, "player"), "Player: ");
  // Everything has a place, for reading the screen by place: the line
  // values over all their boxes, the rules above the hints in the panel.
  const RECT& lines = idle.Find("lines")->rect;
  for (const AccessibleNode& line : idle.Find("lines")->children)
    EXPECT_TRUE(line.rect.left >= lines.left && line.rect.right <= lines.right &&
                line.rect.top >= lines.top && line.rect.bottom <= lines.bottom && !line.hidden);
  const AccessibleNode* rules = idle.Find("rules");
  const AccessibleNode* hints = idle.Find("hints");
  EXPECT_EQ(rules->text.find("\nSwap them to make"), 68u);  // a line a sentence
  EXPECT_EQ(rules->rect.top, table.view.m_rcInstructions.top);
  EXPECT_GT(hints->rect.top, rules->rect.top);
  EXPECT_EQ(rules->rect.bottom, hints->rect.top);
  EXPECT_EQ(hints->rect.bottom, table.view.m_rcInstructions.bottom);
  const AccessibleNode* cell5 = idle.Find("cell5");
  EXPECT_EQ(cell5->row, 1);
  EXPECT_EQ(cell5->column, 1);
  EXPECT_EQ(cell5->rect, table.view.m_rcCell[5]);

  table.Enter();
  table.view.MakePuzzle(0, 0);
  table.host.Paint();
  AccessibleNode playing = table.host.Description();
  EXPECT_EQ(Keys(playing), Keys(idle));
  EXPECT_EQ(CellNames(playing),
            (std::vector<std::string>{"1", "8", "6", "3", "5", "7", "4", "9", "2"}));
  EXPECT_EQ(NameOf(playing, "round"), "Round 1");
  EXPECT_EQ(NameOf(playing, "before"), table.view.m_strBeforeLabel);
  EXPECT_TRUE(playing.Find("after")->hidden);
  EXPECT_EQ(NameOf(playing, "countdown"), "10 seconds");
  EXPECT_FALSE(playing.Find("countdown")->hidden);
  // No cell has the focus until the cursor keys are used.
  EXPECT_EQ(FocusedKey(playing), "");

  table.Key('8');
  playing = table.host.Description();
  EXPECT_EQ(NameOf(playing, "cell2"), "8 picked");
  EXPECT_EQ(FocusedKey(playing), "");
  table.Key(VK_DOWN);
  EXPECT_EQ(FocusedKey(table.host.Description()), "cell5");  // the cursor followed the pick
  table.Key(VK_UP);
  EXPECT_EQ(FocusedKey(table.host.Description()), "cell2");

  table.Key('1');
  table.RunOutSwapPeriod();
  const AccessibleNode rest = table.host.Description();
  EXPECT_EQ(CellNames(rest),
            (std::vector<std::string>{"8", "1", "6", "3", "5", "7", "4", "9", "2"}));
  EXPECT_EQ(FocusedKey(rest), "");  // no swap can be made: no cell has the keys
  EXPECT_TRUE(rest.Find("countdown")->hidden);
  EXPECT_EQ(NameOf(rest, "after"), "After Sum 0");
  EXPECT_EQ(NameOf(rest, "score1"), "Round 1 score 100");
  EXPECT_EQ(NameOf(rest, "score2"), "Round 2 score");  // not played yet
  EXPECT_EQ(NameOf(rest, "bonus1"), "Bonus");
  EXPECT_EQ(NameOf(rest, "bonus11"), "Total bonus 0");
  EXPECT_EQ(NameOf(rest, "overall"), "Overall 100");
  EXPECT_TRUE(rest.Find("banner")->hidden);

  for (int round = 2; round <= kRounds; ++round) {
    table.Enter();
    table.PlayRound(true);
  }
  const AccessibleNode over = table.host.Description();
  EXPECT_EQ(Keys(over), Keys(idle));
  EXPECT_EQ(NameOf(over, "bonus10"), "Round 10 bonus 2560");
  EXPECT_EQ(NameOf(over, "overall"), "Overall 6110");
  EXPECT_FALSE(over.Find("banner")->hidden);
  EXPECT_EQ(NameOf(over, "banner"), "PERFECT!");
}

// The countdown as a screen reader reads it: whole seconds that change at
// most once a second whatever the tick, never more than a second behind
// the screen, while the screen still counts 99 to 0; and the warnings of
// its end, one in the usual ten seconds, two in a long period.
TEST(ScreenReader, TheSpokenCountdownChangesAtMostOnceASecondAndWarnsByThePeriod) {
  const struct {
    int seconds;
    std::vector<std::string> warnings;
  } periods[] = {
      {10, {"3 seconds left."}},
      {15, {"3 seconds left."}},
      {37, {"19 seconds left.", "5 seconds left."}},
      {60, {"30 seconds left.", "5 seconds left."}},
      // A tick of 6 s: the last warning on the last tick.
      {600, {"300 seconds left.", "6 seconds left."}},
  };
  for (const auto& [seconds, warnings] : periods) {
    SCOPED_TRACE(seconds);
    GameTable table;
    table.view.SetSwapSeconds(seconds);
    table.Enter();
    table.host.ClearAnnounced();
    ManualTimerService& clock = table.host.Clock();
    EXPECT_EQ(table.view.m_nSpokenSeconds, seconds);
    const long long start = clock.Now();
    long long lastChange = start;
    int spoken = table.view.m_nSpokenSeconds;
    std::vector<int> shown;
    while (table.Tick() && table.view.m_nGameState == kStateSwapPeriod) {
      const int countdown = table.view.m_nCountdown;
      shown.push_back(countdown);
      if (table.view.m_nSpokenSeconds != spoken) {
        EXPECT_GE(clock.Now() - lastChange, 1000) << "at " << countdown;
        lastChange = clock.Now();
        spoken = table.view.m_nSpokenSeconds;
      }
      const long long leftMs = static_cast<long long>(countdown) * seconds * 10;
      EXPECT_GE(spoken * 1000LL, leftMs) << "at " << countdown;
      EXPECT_LT(spoken * 1000LL, leftMs + 2000) << "at " << countdown;
      // At the usual tick the seconds follow the screen exactly.
      if (seconds == 10) {
        EXPECT_EQ(spoken, (countdown + 9) / 10);
      }
    }
    EXPECT_EQ(shown.front(), 99);
    EXPECT_EQ(shown.back(), 0);
    EXPECT_EQ(shown.size(), 100u);
    EXPECT_EQ(clock.Now() - start, static_cast<long long>(seconds) * 1010);
    std::vector<std::string> said = table.host.Announced();
    said.pop_back();  // the time up
    EXPECT_EQ(said, warnings);
  }
}

// The pause stops the swap period or the rest where they are: no tick, no
// swap, only the read-outs; the same key goes on from there.
TEST(ScreenReader, ThePauseStopsTheClockAndGoesOnWhereItWas) {
  GameTable table;
  const auto& said = table.host.Announced();
  ManualTimerService& clock = table.host.Clock();
  table.Key('H');
  EXPECT_EQ(said.back(), "No round to pause.");
  table.Enter();
  for (int i = 0; i < 25; ++i) table.Tick();  // 75 on the screen
  table.Key(VK_PAUSE);
  EXPECT_EQ(said.back(), "Paused, 8 seconds left.");
  clock.Advance(60000);
  const auto pair = FindMagicExchange(table.view.m_nCell);
  ASSERT_TRUE(pair);
  table.TypeSwap(pair->first, pair->second);
  EXPECT_EQ(said.back(), "Paused. H resumes.");
  table.Key('T');
  EXPECT_EQ(said.back(), "Paused, 8 seconds left.");
  EXPECT_EQ(table.view.m_nCountdown, 75);
  EXPECT_EQ(table.view.m_nScore[kTotalSlot], 0);
  table.Key('H');
  EXPECT_EQ(said.back(), "Resumed, 8 seconds left.");
  EXPECT_EQ(table.RunOutSwapPeriod(), 76);  // 74 ... 0, and the close

  // In the rest: 5 s of its 15 gone, a long pause, then the 10 s left.
  clock.Advance(5000);
  table.Key('H');
  clock.Advance(60000);
  table.Key('H');
  EXPECT_EQ(said.back(), "Resumed.");
  clock.Advance(9999);
  EXPECT_EQ(table.view.m_nGameState, kStateRest);
  clock.Advance(1);
  EXPECT_EQ(table.view.m_nRound, 2);
  EXPECT_EQ(table.view.m_nGameState, kStateSwapPeriod);
}

// Plus and minus step the swap period between games, through 10, 20, 30,
// 60, 120 and 600 s; the next game is played at it.
TEST(ScreenReader, ThePeriodKeysStepBetweenGamesOnly) {
  GameTable table;
  const auto& said = table.host.Announced();
  std::vector<int> steps;
  for (int i = 0; i < 6; ++i) {
    table.Key(VK_OEM_PLUS);
    steps.push_back(table.view.SwapSeconds());
  }
  EXPECT_EQ(steps, (std::vector<int>{20, 30, 60, 120, 600, 600}));
  EXPECT_EQ(said[4], "600 seconds to swap, practically untimed.");
  EXPECT_EQ(said[5], "Already the longest, 600 seconds to swap, practically untimed.");
  // A period given on the command line goes to the step beside it.
  table.view.SetSwapSeconds(45);
  table.Key(VK_OEM_MINUS);
  EXPECT_EQ(table.view.SwapSeconds(), 30);

  table.Enter();
  EXPECT_EQ(said.back().substr(19), ". Round 1.");
  const long long start = table.host.Clock().Now();
  table.Tick();
  EXPECT_EQ(table.host.Clock().Now() - start, 300);  // the tick of a 30-s period
  table.RunOutSwapPeriod();
  // The first time up of a game names the keys, at the period in play.
  EXPECT_NE(said.back().find("Plus and minus change the time to swap between games, now 30 "
                             "seconds."),
            std::string::npos);
  table.Enter();
  table.RunOutSwapPeriod();
  EXPECT_EQ(said.back(), "Time is up. No swap, no points. Overall 0.");
  table.Key(VK_OEM_MINUS);
  EXPECT_EQ(table.view.SwapSeconds(), 30);
  EXPECT_EQ(said.back(), "The time changes between games only, now 30 seconds.");
}

// The arrows' cursor says where it is and where an edge stops it; a pick
// is said once, by the focus moving to its cell or else aloud.
TEST(ScreenReader, TheCursorSaysWhereItIsAndAPickIsSaidOnce) {
  GameTable table;
  const auto& said = table.host.Announced();
  table.Enter();
  table.view.MakePuzzle(0, 0);  // 1 8 6 / 3 5 7 / 4 9 2
  table.host.ClearAnnounced();
  const auto focused = [&] {
    const AccessibleNode now = table.host.Description();
    return now.FocusedPart() ? now.FocusedPart()->name : "(none)";
  };
  table.Key(VK_SPACE);  // the focus comes to the centre and says the pick
  EXPECT_EQ(focused(), "5 picked, center");
  table.Key(VK_ESCAPE);
  table.Key(VK_UP);
  table.Key(VK_UP);
  EXPECT_EQ(focused(), "8, top middle");
  table.Key('7');  // the focus moves to the 7
  EXPECT_EQ(focused(), "7 picked, middle right");
  table.Key(VK_ESCAPE);
  table.Key(VK_SPACE);  // where the focus already is: said aloud
  EXPECT_EQ(said, (std::vector<std::string>{"5 let go.", "Top edge.", "7 let go.", "7 picked."}));
}

// The help comes with the focus once before the first game and once in
// each game, in the words of the moment, and goes at a key or when the
// focus leaves.
TEST(ScreenReader, TheFocusHelpComesOnceAGame) {
  GameTable table;
  CMyKelvoView& view = table.view;
  const auto help = [&] { return table.host.Description().description; };
  const auto refocus = [&] {
    view.OnKillFocus();
    view.OnSetFocus();
    return help();
  };
  EXPECT_EQ(help(), "");
  view.OnSetFocus();
  EXPECT_EQ(help().substr(0, 51), "Enter starts a game. Type two numbers to swap them,");
  EXPECT_NE(help().find("between games, now 10 seconds. H or Pause pauses."), std::string::npos);
  EXPECT_EQ(refocus(), "");  // back from a menu
  table.Enter();
  EXPECT_EQ(refocus().substr(0, 29), "Enter starts the next round. ");
  table.Key('T');
  EXPECT_EQ(help(), "");
  EXPECT_EQ(refocus(), "");
}
