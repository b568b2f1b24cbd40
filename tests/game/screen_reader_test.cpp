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

TEST(ScreenReader, RefusalsTheWarningAndTimeUpAreSaid) {
  GameTable table;
  const auto& said = table.host.Announced();
  table.Enter();
  table.view.MakePuzzle(0, 0);  // 1 8 6 / 3 5 7 / 4 9 2
  table.host.Paint();
  table.host.ClearAnnounced();

  table.Key('8');
  table.Key('8');
  table.Key('6');
  table.Key(VK_ESCAPE);
  EXPECT_EQ(said, (std::vector<std::string>{"8 picked.", "Refused, the same number twice.",
                                            "6 picked.", "6 let go."}));
  EXPECT_EQ(table.cues.Count(IDR_SOUND_REFUSED), 1);

  // The warning comes once, as the countdown shows 30; the time-up after 0.
  table.host.ClearAnnounced();
  std::vector<int> warnedAt;
  for (int tick = 0; tick < 100; ++tick) {
    const std::size_t before = said.size();
    table.Tick();
    if (said.size() > before) warnedAt.push_back(table.view.m_nCountdown);
  }
  EXPECT_EQ(warnedAt, std::vector<int>{30});
  EXPECT_EQ(said, std::vector<std::string>{"3 seconds left."});
  // A number typed with the countdown at 0 is not taken, and says why.
  table.Key('1');
  table.host.ClearAnnounced();
  table.Tick();
  EXPECT_EQ(said, std::vector<std::string>{"Time is up. No swap, no points. Overall 0."});

  // A drop in the rest is refused aloud, as its sound says.
  table.host.ClearAnnounced();
  table.Drag(1, 2);
  EXPECT_EQ(said, std::vector<std::string>{"Refused."});
}

// A number, an arrow or Space that cannot act now says what comes next,
// and does nothing else.
TEST(ScreenReader, SwapKeysThatCannotActSayWhatComesNext) {
  GameTable table;
  const auto& said = table.host.Announced();
  const auto reply = [&](UINT key) {
    table.host.ClearAnnounced();
    table.Key(key);
    return said.size() == 1 ? said[0] : "(" + std::to_string(said.size()) + " said)";
  };
  EXPECT_EQ(reply('5'), "No game yet. Enter starts one.");
  table.Enter();
  while (table.view.m_nCountdown > 0) table.Tick();
  EXPECT_EQ(reply(VK_SPACE), "Time is up.");
  table.Tick();
  EXPECT_EQ(reply(VK_NUMPAD0 + 3), "Resting. Enter starts round 2.");
  table.Enter();
  table.SwapToMagic(/*typed=*/true);
  EXPECT_EQ(reply(VK_LEFT), "One swap a round.");
  for (int r = 2; r < kRounds; ++r) {
    table.RunOutSwapPeriod();
    table.Enter();
  }
  table.RunOutSwapPeriod();
  EXPECT_EQ(reply('9'), "Game over. Enter starts a new game.");
  EXPECT_TRUE(table.cues.Count(IDR_SOUND_REFUSED) == 0);
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
  // Everything has a place on the screen, for reading the screen by place:
  // the line values over all their boxes, the rules and then the hints
  // sharing the panel.
  const CMyKelvoView& v = table.view;
  const RECT& lines = idle.Find("lines")->rect;
  EXPECT_LT(lines.left, lines.right);
  for (const AccessibleNode& line : idle.Find("lines")->children) {
    EXPECT_LT(line.rect.left, line.rect.right);
    EXPECT_TRUE(line.rect.left >= lines.left && line.rect.right <= lines.right &&
                line.rect.top >= lines.top && line.rect.bottom <= lines.bottom)
        << line.key;
  }
  const AccessibleNode* rules = idle.Find("rules");
  const AccessibleNode* hints = idle.Find("hints");
  EXPECT_EQ(
      rules->text.rfind(
          "The square to your left will have two numbers that are out of place.\nSwap them", 0),
      0u);
  EXPECT_EQ(hints->text.substr(0, 6), "HINTS\n");
  EXPECT_EQ(rules->rect.top, v.m_rcInstructions.top);
  EXPECT_EQ(rules->rect.bottom, hints->rect.top);
  EXPECT_GT(hints->rect.top, rules->rect.top);
  EXPECT_EQ(hints->rect.bottom, v.m_rcInstructions.bottom);
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
  EXPECT_EQ(NameOf(table.host.Description(), "cell2"), "8 picked, top middle");

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
// key of play, no drop, only the read-outs; the same key goes on from there.
TEST(ScreenReader, ThePauseStopsTheClockAndGoesOnWhereItWas) {
  GameTable table;
  const auto& said = table.host.Announced();
  ManualTimerService& clock = table.host.Clock();
  table.Key('H');
  EXPECT_EQ(said.back(), "No round to pause.");
  EXPECT_FALSE(table.view.m_bPaused);

  table.Enter();
  for (int i = 0; i < 25; ++i) table.Tick();  // 75 on the screen
  table.Key(VK_PAUSE);
  EXPECT_EQ(said.back(), "Paused, 8 seconds left.");
  EXPECT_FALSE(clock.IsRunning(kSwapTimer));
  clock.Advance(60000);
  table.host.ClearAnnounced();
  table.cues.Clear();
  int cells[10];
  std::copy(table.view.m_nCell, table.view.m_nCell + 10, cells);
  const auto pair = FindMagicExchange(table.view.m_nCell);
  ASSERT_TRUE(pair);
  table.TypeSwap(pair->first, pair->second);
  table.Key(VK_RETURN);
  table.Key(VK_OEM_PLUS);
  table.Drag(pair->first, pair->second);
  table.Key('T');
  EXPECT_EQ(said, (std::vector<std::string>{"Paused. H resumes.", "Paused. H resumes.",
                                            "Paused. H resumes.",
                                            "The time changes between games only, now 10 seconds.",
                                            "Paused. H resumes.", "Paused, 8 seconds left."}));
  EXPECT_TRUE(std::equal(cells, cells + 10, table.view.m_nCell));
  EXPECT_EQ(table.cues.Ids(), std::vector<UINT>{IDR_SOUND_REFUSED});  // the drop, as ever
  EXPECT_EQ(table.view.m_nCountdown, 75);
  EXPECT_EQ(table.view.m_nKeyPick, -1);

  table.Key('H');
  EXPECT_EQ(said.back(), "Resumed, 8 seconds left.");
  EXPECT_EQ(table.RunOutSwapPeriod(), 76);  // 74 ... 0, and the close

  // In the rest: 5 s of its 15 gone, then a long pause; 10 s remain after it.
  clock.Advance(5000);
  table.Key('H');
  EXPECT_EQ(said.back(), "Paused.");
  clock.Advance(60000);
  EXPECT_EQ(table.view.m_nGameState, kStateRest);
  table.Key('H');
  EXPECT_EQ(said.back(), "Resumed.");
  clock.Advance(9999);
  EXPECT_EQ(table.view.m_nGameState, kStateRest);
  clock.Advance(1);
  EXPECT_EQ(table.view.m_nGameState, kStateSwapPeriod);
  EXPECT_EQ(table.view.m_nRound, 2);
}

// Plus and minus step the swap period between games, through 10, 20, 30,
// 60, 120 and 600 s; the next game is played at it.
TEST(ScreenReader, ThePeriodKeysStepBetweenGamesOnly) {
  GameTable table;
  const auto& said = table.host.Announced();
  for (int i = 0; i < 6; ++i) table.Key(VK_OEM_PLUS);
  EXPECT_EQ(said, (std::vector<std::string>{
                      "20 seconds to swap.", "30 seconds to swap.", "60 seconds to swap.",
                      "120 seconds to swap.", "600 seconds to swap, practically untimed.",
                      "Already the longest, 600 seconds to swap, practically untimed."}));
  for (int i = 0; i < 5; ++i) table.Key(VK_OEM_MINUS);
  EXPECT_EQ(table.view.SwapSeconds(), 10);
  table.Key(VK_OEM_MINUS);
  EXPECT_EQ(said.back(), "Already the shortest, 10 seconds to swap.");
  // A period given on the command line goes to the step beside it.
  table.view.SetSwapSeconds(45);
  table.Key(VK_OEM_MINUS);
  EXPECT_EQ(table.view.SwapSeconds(), 30);

  table.Enter();
  EXPECT_TRUE(HasForm(said.back(),
                      "# # #, # # #, # # #. Round 1, 30 seconds to swap. Plus and minus change it "
                      "between games. H pauses."))
      << said.back();
  const long long start = table.host.Clock().Now();
  table.Tick();
  EXPECT_EQ(table.host.Clock().Now() - start, 300);  // the tick of a 30-s period
  table.Key(VK_OEM_PLUS);
  table.RunOutSwapPeriod();
  table.Key(VK_OEM_MINUS);
  EXPECT_EQ(table.view.SwapSeconds(), 30);
  EXPECT_EQ(said.back(), "The time changes between games only, now 30 seconds.");
}

// The arrows' cursor says where it is; an edge says so; a pick is said
// once, by the focus moving to its cell or else aloud.
TEST(ScreenReader, TheCursorSaysWhereItIsAndAPickIsSaidOnce) {
  GameTable table;
  const auto& said = table.host.Announced();
  table.Enter();
  table.view.MakePuzzle(0, 0);  // 1 8 6 / 3 5 7 / 4 9 2
  table.host.Paint();
  table.host.ClearAnnounced();
  const auto focused = [&] {
    const AccessibleNode description = table.host.Description();
    const AccessibleNode* part = description.FocusedPart();
    return part ? part->name : "(none)";
  };
  // From the centre, up to the top and against it, left and against it.
  table.Key(VK_UP);
  EXPECT_EQ(focused(), "8, top middle");
  table.Key(VK_UP);
  table.Key(VK_LEFT);
  EXPECT_EQ(focused(), "1, top left");
  table.Key(VK_LEFT);
  EXPECT_EQ(said, (std::vector<std::string>{"Top edge.", "Left edge."}));
  // A number typed moves the focus to its cell, which says the pick.
  table.host.ClearAnnounced();
  table.Key('7');
  EXPECT_EQ(focused(), "7 picked, middle right");
  EXPECT_TRUE(said.empty());
  // Space where the focus already is: said aloud.
  table.Key(VK_ESCAPE);
  table.Key(VK_SPACE);
  EXPECT_EQ(said, (std::vector<std::string>{"7 let go.", "7 picked."}));

  // The next round: the cursor in the centre, no focus until an arrow or
  // Space; a number typed before then is said aloud, the first Space (on
  // the cell the number took the cursor to) by the focus it brings.
  table.Key(VK_ESCAPE);
  table.RunOutSwapPeriod();
  table.Enter();
  EXPECT_EQ(table.view.m_nKeyCursor, 5);
  EXPECT_EQ(focused(), "(none)");
  table.host.ClearAnnounced();
  table.Key(static_cast<UINT>('0' + table.view.m_nCell[1]));
  table.Key(VK_ESCAPE);
  table.Key(VK_SPACE);
  EXPECT_EQ(focused(), std::to_string(table.view.m_nCell[1]) + " picked, top left");
  EXPECT_EQ(said, (std::vector<std::string>{PickedText(table.view.m_nCell[1]),
                                            LetGoText(table.view.m_nCell[1])}));
}

// The help comes with the focus once before the first game and once in
// each game, in the words of the moment, and goes at the first key or when
// the focus leaves.
TEST(ScreenReader, TheFocusHelpComesOnceAGame) {
  GameTable table;
  CMyKelvoView& view = table.view;
  const auto help = [&] { return table.host.Description().description; };
  EXPECT_EQ(help(), "");
  view.OnSetFocus();
  EXPECT_EQ(
      help(),
      "Enter starts a game. Type two numbers to swap them, or use the arrows and Space. S, L, "
      "T and P say the square, lines, time and score. Plus and minus change the time to swap "
      "between games, now 10 seconds. H or Pause pauses. F1 gives hints.");
  view.OnKillFocus();
  view.OnSetFocus();  // back from a menu
  EXPECT_EQ(help(), "");

  table.Enter();
  view.OnKillFocus();
  view.OnSetFocus();
  EXPECT_EQ(help().substr(0, 29), "Enter starts the next round. ");
  table.Key('T');
  EXPECT_EQ(help(), "");
  view.OnKillFocus();
  view.OnSetFocus();
  EXPECT_EQ(help(), "");
}
