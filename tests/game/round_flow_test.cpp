// The round flow: Enter, F1, the countdown, the rest, the end of the game,
// the perfect-game banner and what happens when no timer can be had.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "game/MyKelvoView.h"
#include "sound/sound_ids.h"
#include "support/game_play.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kSumColour = RGB(0xFF, 0x4E, 0x4E);
constexpr UINT kLeft = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
constexpr UINT kCentre = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr UINT kRight = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

int IndexOf(const std::vector<DrawCall>& calls, DrawCall::Kind kind, const RECT& box,
            const std::string& text = {}) {
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].kind == kind && calls[i].rect == box && (text.empty() || calls[i].text == text))
      return static_cast<int>(i);
  }
  return -1;
}

bool Fills(const std::vector<DrawCall>& calls, const RECT& box, COLORREF colour) {
  for (const auto& c : calls)
    if (c.kind == DrawCall::kFillRect && c.rect == box && c.color == colour) return true;
  return false;
}

bool AnyText(const std::vector<DrawCall>& calls, const std::string& text) {
  for (const auto& c : calls)
    if (c.kind == DrawCall::kDrawText && c.text == text) return true;
  return false;
}

// The local time zone for the length of a test.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) m_old = old, m_had = true;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ScopedTimeZone() {
    if (m_had)
      setenv("TZ", m_old.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

 private:
  std::string m_old;
  bool m_had = false;
};

class RoundFlowTest : public ::testing::Test {
 protected:
  GameTable table;
  CMyKelvoView& view = table.view;
  ManualTimerService& clock = table.host.Clock();
};

TEST_F(RoundFlowTest, EnterStartsAGameWithTheRoundStepsInOrder) {
  struct AtCue {
    int state;
    bool timerRunning;
    std::size_t drawn;
  };
  std::vector<AtCue> atCue;
  table.cues.onPlay = [&](UINT) {
    atCue.push_back({view.m_nGameState, clock.IsRunning(kSwapTimer), table.Calls().size()});
  };
  view.m_nDragFrom = 4;  // left over from before
  table.Enter();

  // The cue sounds once the timer is granted, before anything is drawn.
  EXPECT_EQ(table.cues.Ids(), std::vector<UINT>{IDR_SOUND_GO});
  ASSERT_EQ(atCue.size(), 1u);
  EXPECT_EQ(atCue[0].state, kStateSwapPeriod);
  EXPECT_TRUE(atCue[0].timerRunning);
  EXPECT_EQ(atCue[0].drawn, 0u);

  EXPECT_EQ(view.m_nGameState, kStateSwapPeriod);
  EXPECT_EQ(view.m_nCountdown, 100);
  EXPECT_EQ(view.m_nRound, 1);
  EXPECT_EQ(view.m_nDragFrom, -1);
  EXPECT_TRUE(IsPermutationOfOneToNine(view.m_nCell));
  EXPECT_GT(view.m_nBeforeSum, 0);
  EXPECT_TRUE(clock.IsRunning(kSwapTimer));
  EXPECT_FALSE(clock.IsRunning(kRestTimer));
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(view.m_nScore[i], 0);
    EXPECT_EQ(view.m_nBonus[i], 0);
  }

  const auto& calls = table.Calls();
  const int lastCell = IndexOf(calls, DrawCall::kDrawText, view.m_rcCell[9]);
  const int clearRound = IndexOf(calls, DrawCall::kFillRect, view.m_rcRoundLabel);
  const int round = IndexOf(calls, DrawCall::kDrawText, view.m_rcRoundLabel, "Round 1");
  const std::string beforeText = "Before Sum " + std::to_string(view.m_nBeforeSum);
  const int before = IndexOf(calls, DrawCall::kDrawText, view.m_rcBeforeLabel, beforeText);
  const int clearAfter = IndexOf(calls, DrawCall::kFillRect, view.m_rcAfterLabel);
  const int overall = IndexOf(calls, DrawCall::kDrawText, view.m_rcOverall, "0");
  ASSERT_GE(lastCell, 0);
  ASSERT_GE(round, 0);
  ASSERT_GE(before, 0);
  EXPECT_LT(lastCell, clearRound);
  EXPECT_LT(clearRound, round);
  EXPECT_LT(round, clearAfter);
  EXPECT_LT(clearAfter, before);
  EXPECT_LT(before, overall);

  EXPECT_EQ(calls[round].format, kLeft);
  EXPECT_EQ(calls[round].color, kBlack);
  EXPECT_EQ(calls[round].bkMode, TRANSPARENT);
  EXPECT_EQ(calls[round].font, view.m_fontLabel.logFont());
  EXPECT_EQ(calls[before].format, kLeft);
  EXPECT_EQ(calls[before].color, kSumColour);
  EXPECT_EQ(view.m_strRoundLabel, "Round 1");
  EXPECT_EQ(view.m_strBeforeLabel, beforeText);
  EXPECT_EQ(view.m_strAfterLabel, "");

  // An empty table: round 1 shows nothing yet, the three totals show 0.
  EXPECT_TRUE(table.TextsIn(view.m_rcScoreCell[1]).empty());
  EXPECT_EQ(table.TextsIn(view.m_rcScoreCell[11]).back().text, "0");
  EXPECT_EQ(table.TextsIn(view.m_rcBonusCell[11]).back().text, "0");
}

TEST_F(RoundFlowTest, CountdownShowsEachTickAndARoundWithoutSwapClosesOnThe101stTick) {
  table.Enter();
  table.host.ClearRecorded();
  ASSERT_TRUE(table.Tick());
  EXPECT_EQ(view.m_nCountdown, 99);
  const auto& calls = table.Calls();
  const int clear = IndexOf(calls, DrawCall::kFillRect, view.m_rcCountdown);
  const int shown = IndexOf(calls, DrawCall::kDrawText, view.m_rcCountdown, "99");
  ASSERT_GE(clear, 0);
  ASSERT_GT(shown, clear);
  EXPECT_EQ(calls[shown].format, kCentre);
  EXPECT_EQ(calls[shown].color, kBlack);
  EXPECT_EQ(calls[clear].color, kWhite);

  for (int t = 2; t <= 100; ++t) ASSERT_TRUE(table.Tick());
  EXPECT_EQ(view.m_nCountdown, 0);
  EXPECT_EQ(view.m_nGameState, kStateSwapPeriod);
  EXPECT_EQ(view.m_strAfterLabel, "");

  table.host.ClearRecorded();
  ASSERT_TRUE(table.Tick());  // the 101st
  EXPECT_EQ(view.m_nGameState, kStateRest);
  EXPECT_FALSE(clock.IsRunning(kSwapTimer));
  EXPECT_TRUE(clock.IsRunning(kRestTimer));
  EXPECT_EQ(view.m_nRound, 2);
  EXPECT_EQ(view.m_nScore[1], 0);
  EXPECT_EQ(view.m_nAfterSum, view.m_nBeforeSum);
  const std::string afterText = "After Sum " + std::to_string(view.m_nBeforeSum);
  EXPECT_EQ(view.m_strAfterLabel, afterText);
  const int after = IndexOf(table.Calls(), DrawCall::kDrawText, view.m_rcAfterLabel, afterText);
  ASSERT_GE(after, 0);
  EXPECT_EQ(table.Calls()[after].format, kRight);
  EXPECT_EQ(table.Calls()[after].color, kSumColour);
  EXPECT_TRUE(Fills(table.Calls(), view.m_rcCountdown, kWhite));
  EXPECT_FALSE(AnyText(table.Calls(), "-1"));
  // The table now shows round 1's points.
  EXPECT_EQ(table.TextsIn(view.m_rcScoreCell[1]).back().text, "0");
  EXPECT_TRUE(table.cues.Count(IDR_SOUND_GAME_OVER) == 0);
}

TEST_F(RoundFlowTest, TheRestTimerStartsTheNextRoundWithoutRedrawingTheTable) {
  table.Enter();
  table.SwapToMagic();
  EXPECT_EQ(table.RunOutSwapPeriod(), 2);
  table.cues.Clear();
  table.host.ClearRecorded();
  clock.Advance(kRestTimerMs - 1);
  EXPECT_EQ(view.m_nGameState, kStateRest);
  clock.Advance(1);
  EXPECT_EQ(view.m_nGameState, kStateSwapPeriod);
  EXPECT_EQ(view.m_nRound, 2);
  EXPECT_EQ(view.m_nCountdown, 100);
  EXPECT_FALSE(clock.IsRunning(kRestTimer));
  EXPECT_EQ(table.cues.Ids(), std::vector<UINT>{IDR_SOUND_GO});
  EXPECT_EQ(view.m_strRoundLabel, "Round 2");
  EXPECT_EQ(view.m_strAfterLabel, "");
  EXPECT_FALSE(AnyText(table.Calls(), "Overall"));
  EXPECT_EQ(view.m_nScore[1], 100);
}

TEST_F(RoundFlowTest, EnterCutsTheRestShortAndTheRestTimerCannotStartASecondRound) {
  table.Enter();
  table.RunOutSwapPeriod();
  ASSERT_EQ(view.m_nGameState, kStateRest);
  table.Enter();
  EXPECT_EQ(view.m_nGameState, kStateSwapPeriod);
  EXPECT_EQ(view.m_nRound, 2);
  EXPECT_FALSE(clock.IsRunning(kRestTimer));

  // A rest tick already on its way arrives late: it is ignored.
  int cells[10];
  std::copy(view.m_nCell, view.m_nCell + 10, cells);
  table.Tick();
  view.OnTimer(kRestTimer);
  EXPECT_EQ(view.m_nRound, 2);
  EXPECT_EQ(view.m_nCountdown, 99);
  EXPECT_TRUE(std::equal(cells + 1, cells + 10, view.m_nCell + 1));

  // Round 2 runs its full period; one rest follows, no extra round.
  clock.Advance(kRestTimerMs);
  EXPECT_EQ(view.m_nRound, 3);
  EXPECT_EQ(view.m_nGameState, kStateRest);
}

// Enter right after a swap, before its period closes, does not replay the
// round: the close (after-sum, score table) starts the next round at once,
// with no rest; held down meanwhile, it still starts one round.
TEST_F(RoundFlowTest, EnterRightAfterASwapStartsTheNextRoundAtTheClose) {
  table.Enter();
  table.SwapToMagic();
  table.cues.Clear();
  table.host.ClearRecorded();
  table.Enter();
  table.Tick();
  for (int i = 0; i < 5; ++i) view.OnKeyDown(VK_RETURN, 1 + i, 0x4000);
  EXPECT_EQ(view.m_nCountdown, 0);
  EXPECT_TRUE(table.cues.plays.empty());

  table.Tick();  // the close
  EXPECT_EQ(view.m_nGameState, kStateSwapPeriod);
  EXPECT_EQ(view.m_nRound, 2);
  EXPECT_FALSE(clock.IsRunning(kRestTimer));
  EXPECT_EQ(table.cues.Ids(), std::vector<UINT>{IDR_SOUND_GO});
  EXPECT_EQ(view.m_nScore[11], 100);
  const auto& calls = table.Calls();
  const int after = IndexOf(calls, DrawCall::kDrawText, view.m_rcAfterLabel, "After Sum 0");
  const int scored = IndexOf(calls, DrawCall::kDrawText, view.m_rcScoreCell[1], "100");
  const int round = IndexOf(calls, DrawCall::kDrawText, view.m_rcRoundLabel, "Round 2");
  ASSERT_GE(after, 0);
  ASSERT_GE(scored, 0);
  EXPECT_LT(after, round);
  EXPECT_LT(scored, round);
}

TEST_F(RoundFlowTest, F1ShowsTheHintsWhileTheGameGoesOn) {
  table.modal.whileBoxOpen = [&] { clock.Advance(5 * kSwapTimerMs); };
  view.OnKeyDown(VK_F1, 1, 0);
  ASSERT_EQ(table.modal.boxes.size(), 1u);
  EXPECT_EQ(table.modal.boxes[0].text, view.m_strHints);
  EXPECT_FALSE(view.m_strHints.empty());
  EXPECT_EQ(table.modal.boxes[0].caption, "Kelvo");
  EXPECT_EQ(table.modal.boxes[0].style, MB_ICONEXCLAMATION | MB_OK);
  EXPECT_EQ(view.m_nGameState, kStateIdle);

  table.Enter();
  view.OnKeyDown(VK_F1, 1, 0);
  EXPECT_EQ(table.modal.boxes.size(), 2u);
  EXPECT_EQ(view.m_nCountdown, 95);

  // A round may close while the box is open.
  table.modal.whileBoxOpen = [&] { clock.Advance(100 * kSwapTimerMs); };
  view.OnKeyDown(VK_F1, 1, 0);
  EXPECT_EQ(view.m_nGameState, kStateRest);
  EXPECT_EQ(view.m_nRound, 2);
}

TEST_F(RoundFlowTest, OtherKeysTimerIdsAndAHeldEnterDoNothing) {
  for (UINT key : {UINT{'A'}, UINT{' '}, VK_ESCAPE, VK_F4, VK_F10, UINT{0}, UINT{0xFFFF}})
    view.OnKeyDown(key, 1, 0);
  for (UINT_PTR id : {UINT_PTR{0}, UINT_PTR{3}, UINT_PTR{7}, kSwapTimer, kRestTimer})
    view.OnTimer(id);
  EXPECT_EQ(view.m_nGameState, kStateIdle);
  EXPECT_TRUE(table.Calls().empty());
  EXPECT_TRUE(table.modal.boxes.empty());

  table.Enter();
  table.Tick();
  table.cues.Clear();
  table.host.ClearRecorded();
  int cells[10];
  std::copy(view.m_nCell, view.m_nCell + 10, cells);
  view.OnTimer(7);
  view.OnTimer(kRestTimer);
  view.OnKeyDown(VK_ESCAPE, 1, 0);
  // Enter held down during a swap period.
  for (int i = 0; i < 30; ++i) view.OnKeyDown(VK_RETURN, 1 + i, 0x4000);
  EXPECT_EQ(view.m_nCountdown, 99);
  EXPECT_EQ(view.m_nGameState, kStateSwapPeriod);
  EXPECT_EQ(view.m_nRound, 1);
  EXPECT_TRUE(std::equal(cells + 1, cells + 10, view.m_nCell + 1));
  EXPECT_TRUE(table.cues.plays.empty());
  EXPECT_TRUE(table.Calls().empty());
}

// Where the refusal happens: 0 at the start of a game, 1 when the rest timer
// expires, 2 at the close of a swap period (the rest timer).
class TimerRefusalTest : public RoundFlowTest, public ::testing::WithParamInterface<int> {};

TEST_P(TimerRefusalTest, TellsThePlayerAndGoesIdleWithNothingElseDrawnOrPlayed) {
  const int where = GetParam();
  if (where >= 1) {
    table.Enter();
    table.SwapToMagic();
    if (where == 1) table.RunOutSwapPeriod();
    if (where == 2) table.Tick();
  }
  const int roundBefore = view.m_nRound;
  std::size_t drawnAtBox = 0;
  table.modal.whileBoxOpen = [&] { drawnAtBox = table.Calls().size(); };
  table.cues.Clear();
  table.host.ClearRecorded();
  clock.RefuseNext(1);
  if (where == 0) table.Enter();
  if (where == 1) clock.FireNext(kRestTimer);
  if (where == 2) table.Tick();

  ASSERT_EQ(table.modal.boxes.size(), 1u);
  EXPECT_EQ(table.modal.boxes[0].text, "No timer available");
  EXPECT_EQ(table.modal.boxes[0].caption, "SDI:KELVO");
  EXPECT_EQ(table.modal.boxes[0].style, 0x30u);
  EXPECT_EQ(view.m_nGameState, kStateIdle);
  EXPECT_EQ(table.Calls().size(), drawnAtBox);
  if (where != 2) {
    EXPECT_TRUE(table.Calls().empty());
  }
  EXPECT_TRUE(table.cues.plays.empty());
  EXPECT_FALSE(clock.IsRunning(kSwapTimer));
  EXPECT_FALSE(clock.IsRunning(kRestTimer));
  EXPECT_EQ(view.m_nRound, roundBefore);
  if (where >= 1) {
    EXPECT_EQ(view.m_nScore[11], 100);
  }

  // Ticks later change nothing, and Enter starts a new game from round 1.
  clock.Advance(60000);
  EXPECT_EQ(view.m_nGameState, kStateIdle);
  table.Enter();
  EXPECT_EQ(view.m_nGameState, kStateSwapPeriod);
  EXPECT_EQ(view.m_nRound, 1);
  EXPECT_EQ(view.m_nScore[11], 0);
}

INSTANTIATE_TEST_SUITE_P(AtEachTimerStart, TimerRefusalTest, ::testing::Values(0, 1, 2));

TEST(GameEndTest, PerfectGameScoresSoundsBannerAndMoment) {
  ScopedTimeZone utc("UTC");
  GameTable table;
  CMyKelvoView& view = table.view;
  // 2040-07-04 15:04:05 UTC: past what a 32-bit time value can hold.
  constexpr std::int64_t kMoment = 2225027045;
  view.m_fnCurrentTime = [] { return kMoment; };
  std::size_t drawnAtGameOverCue = 0;
  int stateAtPerfectCue = -1;
  table.cues.onPlay = [&](UINT id) {
    if (id == IDR_SOUND_GAME_OVER) drawnAtGameOverCue = table.Calls().size();
    if (id == IDR_SOUND_PERFECT) stateAtPerfectCue = view.m_nGameState;
  };

  table.Enter();
  for (int r = 1; r <= 10; ++r) {
    table.SwapToMagic();
    ASSERT_EQ(table.RunOutSwapPeriod(), 2);
    if (r == 10) break;
    ASSERT_TRUE(table.host.Clock().FireNext(kRestTimer));
    // Keep only the last round's drawing.
    table.host.ClearRecorded();
  }

  EXPECT_EQ(view.m_nGameState, kStateGameOver);
  EXPECT_EQ(view.m_nRound, 10);
  EXPECT_EQ(view.m_nScore[11], 1000);
  std::vector<int> bonus(view.m_nBonus + 1, view.m_nBonus + 11);
  EXPECT_EQ(bonus, (std::vector<int>{0, 10, 20, 40, 80, 160, 320, 640, 1280, 2560}));
  EXPECT_EQ(view.m_nBonus[11], 5110);
  EXPECT_EQ(table.TextsIn(view.m_rcOverall).back().text, "6110");

  const auto& plays = table.cues.plays;
  ASSERT_GE(plays.size(), 2u);
  EXPECT_EQ(table.cues.Count(IDR_SOUND_GO), 10);
  EXPECT_EQ(plays[plays.size() - 2].id, IDR_SOUND_GAME_OVER);
  EXPECT_TRUE(plays[plays.size() - 2].waited);
  EXPECT_EQ(plays.back().id, IDR_SOUND_PERFECT);
  EXPECT_FALSE(plays.back().waited);
  // The game is over only once the banner is up.
  EXPECT_NE(stateAtPerfectCue, kStateGameOver);

  EXPECT_EQ(view.m_timePerfect, kMoment);
  EXPECT_EQ(view.m_strPerfectDate, "July 04, 2040");
  EXPECT_EQ(view.m_strPerfectTime, "03:04:05 PM,");

  // The banner: eight letters drawn after the closing cue, each in its own
  // size and colour, each starting where the one before ended.
  struct Expected {
    const char* text;
    int height;
    COLORREF colour;
  };
  const int u = view.m_nUnit;
  const Expected letters[] = {
      {"P", 4 * u, RGB(0xFF, 0x4E, 0x4E)}, {"E", 9 * u / 2, RGB(0x4E, 0xFF, 0x4E)},
      {"R", 5 * u, RGB(0xFF, 0x4E, 0xFF)}, {"F", 11 * u / 2, RGB(0x4E, 0x4E, 0xFF)},
      {"E", 6 * u, RGB(0xFF, 0xE1, 0x58)}, {"C", 13 * u / 2, RGB(0xFF, 0x4E, 0x4E)},
      {"T", 7 * u, RGB(0x4E, 0xFF, 0x4E)}, {"!", 15 * u / 2, RGB(0x4E, 0x4E, 0xFF)},
  };
  const RECT band = {view.m_rcCell[1].left, view.m_rcLineDiffSq[3].bottom,
                     view.m_rcInstructions.left, view.m_rcColumnLabel[1].top};
  std::vector<DrawCall> banner;
  for (std::size_t i = drawnAtGameOverCue; i < table.Calls().size(); ++i) {
    const DrawCall& c = table.Calls()[i];
    if (c.kind == DrawCall::kDrawText && c.rect.top == band.top && c.rect.bottom == band.bottom)
      banner.push_back(c);
  }
  ASSERT_EQ(banner.size(), 8u);
  int left = band.left;
  for (int k = 0; k < 8; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(banner[k].text, letters[k].text);
    EXPECT_EQ(banner[k].font.lfHeight, letters[k].height);
    EXPECT_EQ(banner[k].font.lfFaceName, "Arial Bold");
    EXPECT_EQ(banner[k].color, letters[k].colour);
    EXPECT_EQ(banner[k].format, kLeft);
    EXPECT_EQ(banner[k].rect.right, band.right);
    if (k == 0) {
      EXPECT_EQ(banner[k].rect.left, band.left);
    }
    if (k > 0) {
      EXPECT_GT(banner[k].rect.left, left);
    }
    left = banner[k].rect.left;
  }
  EXPECT_EQ(view.m_rcBanner, band);
  EXPECT_FALSE(view.m_fontBanner.GetSafeHandle());

  // The next game clears the banner and starts with an empty table.
  table.host.ClearRecorded();
  table.Enter();
  EXPECT_TRUE(Fills(table.Calls(), band, kWhite));
  EXPECT_EQ(view.m_nRound, 1);
  EXPECT_EQ(view.m_nBonus[11], 0);
  EXPECT_EQ(table.TextsIn(view.m_rcOverall).back().text, "0");
  table.host.Paint();
  EXPECT_EQ(view.m_strAfterLabel, "");
}

TEST(GameEndTest, AnImperfectGameEndsWithTheClosingCueOnly) {
  GameTable table;
  CMyKelvoView& view = table.view;
  view.m_strPerfectDate = "earlier date";
  view.m_strPerfectTime = "earlier time";
  table.Enter();
  for (int r = 1; r <= 10; ++r) {
    // Round 5 is missed, so no run reaches ten.
    if (r != 5) table.SwapToMagic();
    // Enter right after the last swap does not outlive the game: it ends as
    // usual, and a new game takes a press of its own.
    if (r == 10) table.Enter();
    table.RunOutSwapPeriod();
    if (r < 10) table.Enter();
  }
  EXPECT_EQ(view.m_nGameState, kStateGameOver);
  EXPECT_EQ(view.m_nRound, 10);
  EXPECT_EQ(view.m_nScore[11], 900);
  EXPECT_EQ(view.m_nBonus[11], 10 + 20 + 40 + 10 + 20 + 40 + 80);
  ASSERT_FALSE(table.cues.plays.empty());
  EXPECT_EQ(table.cues.plays.back().id, IDR_SOUND_GAME_OVER);
  EXPECT_TRUE(table.cues.plays.back().waited);
  EXPECT_EQ(table.cues.Count(IDR_SOUND_PERFECT), 0);
  EXPECT_EQ(view.m_strPerfectDate, "earlier date");
  EXPECT_EQ(view.m_strPerfectTime, "earlier time");
  EXPECT_FALSE(AnyText(table.Calls(), "!"));

  // Game over stays as it is: ticks, drops and stray timer events change
  // nothing, and Enter starts again.
  table.host.Clock().Advance(60000);
  view.OnTimer(kSwapTimer);
  view.OnTimer(kRestTimer);
  EXPECT_EQ(view.m_nGameState, kStateGameOver);
  EXPECT_EQ(view.m_nScore[11], 900);
  table.Enter();
  EXPECT_EQ(view.m_nGameState, kStateSwapPeriod);
  EXPECT_EQ(view.m_nRound, 1);
}

}  // namespace
