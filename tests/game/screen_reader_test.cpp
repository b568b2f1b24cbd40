// What a screen reader gets from the game: the announcements said unasked,
// the keys that say things on demand, and the description of the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "game/MyKelvoView.h"
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

// The square of a "Round N: a b c; d e f; g h i." announcement, or false.
bool SquareHeard(const std::string& text, int round, int cell[10]) {
  const std::string prefix = "Round " + std::to_string(round) + ": ";
  if (!HasForm(text, prefix + "# # #; # # #; # # #.")) return false;
  for (int k = 1; k <= 9; ++k) cell[k] = text[prefix.size() + 2 * (k - 1) + (k - 1) / 3] - '0';
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
                           " swapped: magic square! 100 points, " + bonusText + ". Overall " +
                           std::to_string(table.view.m_nScore[11] + table.view.m_nBonus[11]) + ".");
    table.host.ClearAnnounced();
    table.RunOutSwapPeriod();
    // A swap has said its result: nothing more at the close.
    if (round < kRounds) {
      EXPECT_TRUE(said.empty()) << said.front();
      table.Enter();
    }
  }
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0], "Game over: score 1000, bonus 5110, overall 6110. PERFECT!");
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
  EXPECT_EQ(said, (std::vector<std::string>{"8 picked.", "Refused: the same number twice.",
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
  table.host.ClearAnnounced();
  table.Tick();
  EXPECT_EQ(said, std::vector<std::string>{"Time is up: no swap, no points. Overall 0."});

  // A drop in the rest is refused aloud, as its sound says.
  table.host.ClearAnnounced();
  table.Drag(1, 2);
  EXPECT_EQ(said, std::vector<std::string>{"Refused."});
}

TEST(ScreenReader, ASwapThatOnlyImprovesOrDoesNotSaysSo) {
  const struct {
    std::function<bool(int, int)> wanted;
    const char* said;
  } swaps[] = {
      {[](int after, int before) { return after > 0 && after < before; },
       "# and # swapped: closer, After Sum +. 30 points. Overall 30."},
      {[](int after, int before) { return after > before; },
       "# and # swapped: not closer, After Sum +. No points. Overall 30."},
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
                      "Example square: 8 1 6; 3 2 7; 4 9 5. Enter starts a game.",
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
                      "Round 1: 1 8 6; 3 5 7; 4 9 2. 1 picked.",
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
  EXPECT_EQ(NameOf(idle, "line1"), "Row 2: -3, squared 9");
  EXPECT_EQ(NameOf(idle, "line7"), "Diagonal from top right: -3, squared 9");
  EXPECT_TRUE(idle.Find("scores")->hidden);
  EXPECT_TRUE(idle.Find("round")->hidden);
  EXPECT_EQ(FocusedKey(idle), "");
  EXPECT_EQ(NameOf(idle, "player"), "Player: ");
  EXPECT_EQ(NameOf(idle, "rules"), table.view.m_strInstructions);
  EXPECT_EQ(NameOf(idle, "hints"), table.view.m_strHints);
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
  EXPECT_EQ(NameOf(rest, "score1"), "Round 1 score: 100");
  EXPECT_EQ(NameOf(rest, "score2"), "Round 2 score");  // not played yet
  EXPECT_EQ(NameOf(rest, "bonus1"), "Bonus");
  EXPECT_EQ(NameOf(rest, "bonus11"), "Total bonus: 0");
  EXPECT_EQ(NameOf(rest, "overall"), "Overall 100");
  EXPECT_TRUE(rest.Find("banner")->hidden);

  for (int round = 2; round <= kRounds; ++round) {
    table.Enter();
    table.PlayRound(true);
  }
  const AccessibleNode over = table.host.Description();
  EXPECT_EQ(Keys(over), Keys(idle));
  EXPECT_EQ(NameOf(over, "bonus10"), "Round 10 bonus: 2560");
  EXPECT_EQ(NameOf(over, "overall"), "Overall 6110");
  EXPECT_FALSE(over.Find("banner")->hidden);
  EXPECT_EQ(NameOf(over, "banner"), "PERFECT!");
}

// The countdown as a screen reader reads it: whole seconds that change at
// most once a second whatever the tick, never more than a second behind
// the screen, while the screen still counts 99 to 0.
TEST(ScreenReader, TheSpokenCountdownChangesAtMostOnceASecond) {
  for (int seconds : {10, 15, 37, 60, 600}) {
    SCOPED_TRACE(seconds);
    GameTable table;
    table.view.SetSwapSeconds(seconds);
    table.Enter();
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
  }
}
