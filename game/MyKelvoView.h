// The game view: it holds every field of a game in play, every pen, brush
// and font of the screen, and the handlers that run the game.  The handlers
// are spread over the folders by subsystem:
//   game/        state, puzzle set-up, round flow (keys and timers), swap
//   screen/      layout pass, score table, instructions panel, paint
//   certificate/ name command and the printed certificate
//   sound/       the Sounds menu
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <string>

#include "game/swap_period.h"
#include "platform/interface/dc.h"
#include "platform/interface/gdi_objects.h"
#include "platform/interface/view.h"
#include "platform/interface/win_types.h"
#include "res/resource_ids.h"

// Game states (m_nGameState).
constexpr int kStateIdle = 0;
constexpr int kStateSwapPeriod = 1;
constexpr int kStateRest = 2;
constexpr int kStateGameOver = 3;

// Timer ids and periods (the swap timer's at the default swap period).
constexpr UINT_PTR kSwapTimer = 1;
constexpr UINT kSwapTimerMs = SwapTickMs(kDefaultSwapSeconds);
constexpr UINT_PTR kRestTimer = 2;
constexpr UINT kRestTimerMs = 15000;

constexpr int kRounds = 10;
constexpr int kTotalSlot = 11;
constexpr int kPerfectBonus = 5110;

extern const char* const g_strVersion;

class CMyKelvoView : public CView {
 public:
  CMyKelvoView();
  ~CMyKelvoView() override;

  // --- paint and print ---
  void OnDraw(CDC* pDC) override;
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

  // --- keys, timers, mouse ---
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnTimer(UINT_PTR nIDEvent) override;
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void OnLButtonUp(UINT nFlags, CPoint point) override;
  void OnRButtonDown(UINT nFlags, CPoint point) override;
  void OnSetFocus() override;
  void OnKillFocus() override;

  // --- menu commands and their enable rules ---
  void OnSoundsGoOn();
  void OnSoundsGoOff();
  void OnUpdateSoundsGoOn(CCmdUI* pCmdUI);
  void OnUpdateSoundsGoOff(CCmdUI* pCmdUI);
  void OnRegisterEnterName();
  void OnUpdateRegisterEnterName(CCmdUI* pCmdUI);
  void OnFilePrint();
  void OnUpdateFilePrint(CCmdUI* pCmdUI);

  // --- drawing operations shared by paint and handlers ---
  // Makes a new puzzle unless bRedrawOnly, then draws the square and its
  // line values and stores the total into both sums.
  void DrawPuzzle(CDC* pDC, BOOL bRedrawOnly);
  // Puts square `squareIndex` (0..7) with pair `pairIndex` (0..35) exchanged
  // into m_nCell.
  void MakePuzzle(int squareIndex, int pairIndex);
  // Fills the nine cells with their position colours and draws the numbers.
  void PaintCells(CDC* pDC);
  // Works out m_nLineDiff and m_nLineDiffSq from m_nCell; returns the total.
  int ComputeLineValues();
  // Draws the eight differences in blue and their squares in red, each box
  // cleared first; leaves m_fontLabel selected and the text black.
  void DrawLineValues(CDC* pDC);
  void DrawScoreTable(CDC* pDC, int nFirstRound);
  void DrawPlayerLabel(CDC* pDC);
  void DrawInstructions(CDC* pDC);
  // The layout pass: every box and the four screen fonts from the client size.
  void LayOut(CDC* pDC);
  // Same boxes for a given client size, without fonts or a surface.
  void ComputeLayout(const RECT& client);
  // Cell 1..9 under the point, or -1.
  int HitTestCell(CPoint point) const;
  // The keyboard cursor and the picked cell as frames inside their cells,
  // while a swap period runs in a game whose player has used those keys.
  void DrawKeyFrames(CDC* pDC);

  // The view's command table (menu and accelerator commands it handles).
  void RegisterCommands();

  // For tests: the pseudo-random generator's seed.
  void SeedRandom(std::uint32_t seed) { m_random.seed(seed); }

  // ===== game fields, in their declared order =====
  int m_nGameState = kStateIdle;
  int m_nCountdown = 0;
  int m_nRound = 0;
  int m_nScore[12] = {};
  int m_nBonus[12] = {};
  int m_nDragFrom = -1;
  int m_nDragTo = -1;
  BOOL m_bSound = TRUE;
  int m_nCell[10] = {};
  int m_nDemoCell[9] = {};
  int m_nLineDiff[8] = {};
  int m_nBeforeSum = 0;
  int m_nAfterSum = 0;
  int m_nLineDiffSq[8] = {};
  char m_szText[15] = {};
  char m_szNumber[17] = {};
  RECT m_rcBanner = {};
  // 64-bit: a 32-bit time value would run out in 2038.
  std::int64_t m_timePerfect = 0;
  std::string m_strInstructions;
  std::string m_strPerfectDate;
  std::string m_strPerfectTime;
  std::string m_strRoundLabel;
  std::string m_strBeforeLabel;
  std::string m_strAfterLabel;
  std::string m_strPlayerLabel;
  std::string m_strHints;

  // ===== caption =====
  std::int64_t m_timeNow = 0;
  std::string m_strNow;
  std::string m_strCaption;

  // ===== layout, recomputed at every paint =====
  RECT m_rcClient = {};
  int m_nUnit = 0;
  RECT m_rcCell[10] = {};
  RECT m_rcLineDiff[8] = {};
  RECT m_rcLineDiffSq[8] = {};
  RECT m_rcCountdown = {};
  RECT m_rcRoundLabel = {};
  RECT m_rcBeforeLabel = {};
  RECT m_rcAfterLabel = {};
  RECT m_rcPlayerLabel = {};
  RECT m_rcInstructions = {};
  RECT m_rcScoreCell[12] = {};
  RECT m_rcScoreFrame[12] = {};
  RECT m_rcBonusCell[12] = {};
  RECT m_rcBonusFrame[12] = {};
  RECT m_rcColumnLabel[12] = {};
  RECT m_rcScoreHeader = {};
  RECT m_rcOverall = {};
  RECT m_rcOverallFrame = {};
  RECT m_rcOverallLabel = {};

  // ===== drawing objects, created with the view =====
  CPen m_penBlack;
  CPen m_penGridShade;
  CPen m_penGridLight;
  CPen m_penGuide;
  CPen m_penCertificate;
  CPen m_penKeyLight;  // white, beside black in the keyboard frames
  CBrush m_brCell[10];
  CBrush m_brScore;
  CBrush m_brBonus;
  CBrush m_brOverall;
  CFont m_fontTable;
  CFont m_fontText;
  CFont m_fontLabel;
  CFont m_fontCell;
  CFont m_fontBanner;
  CFont m_fontCertificate;
  CFont* m_pOldFont = nullptr;
  std::string m_strCertificateLine;

 private:
  std::mt19937 m_random;

  // ===== round flow =====
 public:
  // The clock the perfect game's moment is read from (seconds since 1970);
  // unset, the system's.  Tests fix it.
  std::function<std::int64_t()> m_fnCurrentTime;

 private:
  // Starts a swap period: timer 1, the "GO" cue, a new square and the labels;
  // a new game also starts again from round 1 with an empty score table.
  void StartRound(bool bNewGame);
  // Ends the swap period of the current round: the after-sum, the score
  // table, then the rest or the end of the game.
  void CloseSwapPeriod();
  void EndGame();
  void DrawPerfectBanner(CDC* pDC);
  // A refused timer: the player is told and the game goes back to idle.
  void OnNoTimer();
  std::int64_t CurrentTime() const;
  // Whether the swap period and the rest are running, as this view started
  // and stopped their timers 1 and 2, so a late tick or an early Enter cannot
  // act out of turn.  A pause stops the timers but not these.
  bool m_bSwapTimerRunning = false;
  bool m_bRestTimerRunning = false;
  // Enter pressed between a swap and the close of its period, in rounds 1
  // to 9: the close starts the next round at once.
  bool m_bEnterAtClose = false;

  // ===== the swap, by drag or by keys =====
  // A press, a typed number, Space: taken only while the period is open
  // (and not paused).
  bool SwapPeriodOpen() const;
  // The one path of every drop: the exchange of cells nFrom and nTo with its
  // redraw and score, or the refusal cue when no swap can be made.
  void SwapCells(int nFrom, int nTo);

  // ===== keyboard play: typed numbers, cursor keys =====
 public:
  // The cell under the keyboard cursor (1..9), the cell picked by a typed
  // number or Space (-1 for none), and whether such a key has been used in
  // this game: until then nothing of the keyboard is drawn.
  int m_nKeyCursor = 5;
  int m_nKeyPick = -1;
  bool m_bKeysUsed = false;
  // Whether an arrow key or Space has been used in this round.
  bool m_bCursorKeysUsed = false;

 private:
  // Typed numbers, arrows, Space and Escape; other keys are left alone.
  void OnSwapKey(UINT nChar);
  // Picks `cell`, or drops the pick on it; `sayPick`: the pick is said
  // aloud, as no focus moving to the cell says it.
  void PickOrDropByKey(int cell, bool sayPick);
  void MoveKeyCursor(int dRow, int dColumn);
  // Forgets the keyboard state at the start of a game or round.
  void ResetKeys(bool bNewGame);
  // Repaints the cells with the frames as they now stand.
  void RedrawCellsAndFrames();

  // ===== time a player can take: the pause and the swap period's length =====
 public:
  // The swap period's length, kMinSwapSeconds..kMaxSwapSeconds (others are
  // brought into that range); it takes effect at the next round.
  void SetSwapSeconds(int seconds);
  int SwapSeconds() const { return m_nSwapSeconds; }
  // While paused, the timers are stopped and only the read-out keys and the
  // pause key act.
  bool m_bPaused = false;

 private:
  // The pause keys and the keys that change the swap period; false for any
  // other key.
  bool OnTimeKey(UINT nChar);
  void Pause();
  void Resume();
  void StepSwapSeconds(int direction);
  UINT SwapTick() const { return SwapTickMs(m_nSwapSeconds); }
  int m_nSwapSeconds = kDefaultSwapSeconds;
  // What was left of the rest when it was paused.
  UINT m_nRestMsLeft = 0;

  // ===== for a screen reader =====
 public:
  void DescribeForAccessibility(AccessibleNode& root) const override;
  // The countdown in whole seconds as a screen reader reads it; it changes
  // at most once a second, whatever the tick.
  int m_nSpokenSeconds = 0;
  // The help read with the view's name when it gets the keyboard focus:
  // once before the first game and once in each game, then empty until the
  // next game, so that coming back from a menu does not repeat it.
  std::string m_strFocusHelp;

 private:
  // S, L, T and P say the square, the line values, the time left and the
  // score; false for any other key.
  bool OnReadOutKey(UINT nChar);
  // What comes next, said when a key cannot act now.
  std::string NextStepText() const;
  void StartSpokenCountdown();
  // At each tick: the spoken seconds, and the warnings before the end.
  void OnSpokenCountdownTick();
  int m_nMsSinceSpokenSeconds = 0;
  // Games started so far, and the one whose focus help was given (-1: none;
  // 0 is the time before the first game).
  int m_nGamesStarted = 0;
  int m_nFocusHelpGame = -1;
  // The game in which a time-up named the keys that give more time.
  int m_nTimeKeysNamedGame = -1;
  // The rules and the hints as a screen reader reads them.
  std::string m_strRulesForReader;
  std::string m_strHintsForReader;
};
