// The round flow: Enter starts a game or cuts a rest short (pressed right
// after a swap, it starts the next round as the period closes), F1 shows the
// hints, the keys of time, of reading out and of keyboard play go on to
// theirs, timer 1 counts the swap period down and closes it, timer 2 ends the
// rest between rounds.
#include <cstdio>
#include <string>

#include "game/MyKelvoView.h"
#include "game/spoken_text.h"
#include "platform/interface/modal_ui.h"
#include "platform/interface/virtual_keys.h"
#include "platform/language/translation.h"
#include "screen/fitted_text.h"
#include "screen/text_style.h"
#include "sound/sound_cues.h"
#include "sound/sound_ids.h"

namespace {

constexpr COLORREF kSumLabelColour = RGB(0xFF, 0x4E, 0x4E);

}  // namespace

void CMyKelvoView::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/) {
  // A player at the keys has heard the focus help, or does not want it.
  m_strFocusHelp.clear();
  // The repeat count is ignored: a held key acts as a fresh press each time.
  if (OnTimeKey(nChar)) return;
  if (nChar == VK_RETURN) {
    if (m_bPaused) {
      Announce(_(kStillPausedText));
      return;
    }
    switch (m_nGameState) {
      case kStateIdle:
      case kStateGameOver:
        StartRound(true);
        break;
      case kStateRest:
        // After a swap the state is already "rest", but the period has not
        // closed yet (no after-sum, no rest timer, round not advanced).
        // Starting a round here would replay the same round and let a second
        // swap score again, so the press is kept and the close starts the
        // next round in its place (a held key still starts only one).  After
        // the last round the close ends the game as usual: a new game needs a
        // press of its own, so the final score is not wiped unseen.
        if (m_bSwapTimerRunning) {
          if (m_nRound < kRounds) m_bEnterAtClose = true;
          break;
        }
        KillTimer(kRestTimer);
        m_bRestTimerRunning = false;
        StartRound(false);
        break;
      default:
        break;
    }
  } else if (nChar == VK_F1) {
    // The game is not paused: timers keep ticking while the box is open.
    MessageBox(m_strHints, AfxAppTitle(), MB_ICONEXCLAMATION | MB_OK);
  } else if (!OnReadOutKey(nChar)) {
    OnSwapKey(nChar);
  }
}

void CMyKelvoView::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kSwapTimer) {
    // A tick already on its way when the timer was stopped is stale.
    if (!m_bSwapTimerRunning || m_bPaused) return;
    if (m_nCountdown < 1) {
      CloseSwapPeriod();
      return;
    }
    CClientDC dc(this);
    dc->SetBkMode(TRANSPARENT);
    dc->SelectObject(&m_fontLabel);
    dc->FillRect(&m_rcCountdown, nullptr);
    --m_nCountdown;
    std::snprintf(m_szText, sizeof m_szText, "%i", m_nCountdown);
    dc->DrawText(m_szText, &m_rcCountdown, kCentred);
    OnSpokenCountdownTick();
  } else if (nIDEvent == kRestTimer) {
    if (!m_bRestTimerRunning || m_bPaused) return;
    KillTimer(kRestTimer);
    m_bRestTimerRunning = false;
    StartRound(false);
  }
}

void CMyKelvoView::StartRound(bool bNewGame) {
  m_bEnterAtClose = false;
  m_nGameState = kStateSwapPeriod;
  if (SetTimer(kSwapTimer, SwapTick()) == 0) {
    OnNoTimer();
    return;
  }
  m_bSwapTimerRunning = true;
  m_bPaused = false;
  if (bNewGame) ++m_nGamesStarted;
  // Played only once the timer is granted, so it begins as the square shows.
  if (m_bSound == 1) PlaySoundCue(IDR_SOUND_GO);
  m_nCountdown = kSwapPeriodTicks;
  if (bNewGame) m_nRound = 1;
  // A button pressed during the rest must not carry a cell of the old square
  // into this round.
  m_nDragFrom = -1;
  ResetKeys(bNewGame);

  CClientDC dc(this);
  dc->SetBkMode(TRANSPARENT);
  DrawPuzzle(dc, FALSE);
  // A keyboard player finds the cursor in the centre.
  DrawKeyFrames(dc);
  dc->SelectObject(&m_fontLabel);

  dc->FillRect(&m_rcRoundLabel, nullptr);
  // The banner of a perfect game stays until the next game begins.
  if (bNewGame) dc->FillRect(&m_rcBanner, nullptr);
  // TRANSLATORS: drawn above the square; the round's number, 1 to 10.
  m_strRoundLabel = FormattedText(_("Round %d"), m_nRound);
  DrawFittedText(dc, m_strRoundLabel, &m_rcRoundLabel, kLeftAligned);

  // TRANSLATORS: drawn under the square, left and right, in half the
  // square's width each: the sum of the squared distances from 15 before
  // and after the swap.
  const std::string before = FormattedText(_("Before Sum %d"), m_nBeforeSum);
  dc->FillRect(&m_rcBeforeLabel, nullptr);
  dc->FillRect(&m_rcAfterLabel, nullptr);
  dc->SetTextColor(kSumLabelColour);
  DrawFittedText(dc, before, &m_rcBeforeLabel, kLeftAligned);
  m_strBeforeLabel = before;
  m_strAfterLabel.clear();
  dc->SetTextColor(kBlack);

  if (bNewGame) {
    for (int i = 0; i <= kTotalSlot; ++i) {
      m_nScore[i] = 0;
      m_nBonus[i] = 0;
    }
    // Round 1 is left blank until the next full redraw; only the totals show.
    DrawScoreTable(dc, 2);
  }
  StartSpokenCountdown();
  Announce(RoundStartText(m_nRound, m_nCell));
}

void CMyKelvoView::CloseSwapPeriod() {
  // A swap has already moved the game on to the rest and said its result.
  const bool timeUp = m_nGameState == kStateSwapPeriod;
  KillTimer(kSwapTimer);
  m_bSwapTimerRunning = false;
  {
    // Closed before the rest starts or the end of the game sounds, so the
    // player sees the result while waiting.
    CClientDC dc(this);
    dc->SetBkMode(TRANSPARENT);
    // The keyboard frames belong to the swap period: the cells are painted
    // again without them.
    m_nKeyPick = -1;
    if (m_bKeysUsed) PaintCells(dc);
    dc->SelectObject(&m_fontLabel);
    dc->FillRect(&m_rcCountdown, nullptr);
    const std::string after = FormattedText(_("After Sum %d"), m_nAfterSum);
    dc->FillRect(&m_rcAfterLabel, nullptr);
    dc->SetTextColor(kSumLabelColour);
    DrawFittedText(dc, after, &m_rcAfterLabel, kRightAligned);
    m_strAfterLabel = after;
    dc->SetTextColor(kBlack);
    DrawScoreTable(dc, 1);
  }
  if (timeUp) {
    const bool nameTheKeys = m_nTimeKeysNamedGame != m_nGamesStarted;
    m_nTimeKeysNamedGame = m_nGamesStarted;
    Announce(TimeUpText(m_nScore, m_nBonus, nameTheKeys ? m_nSwapSeconds : 0));
  }
  if (m_nRound < kRounds) {
    if (m_bEnterAtClose) {
      // Enter was pressed right after the swap: no rest, the next round now.
      ++m_nRound;
      StartRound(false);
      return;
    }
    m_nGameState = kStateRest;
    if (SetTimer(kRestTimer, kRestTimerMs) == 0) {
      OnNoTimer();
      return;
    }
    m_bRestTimerRunning = true;
    // During the rest the round number already names the coming round.
    ++m_nRound;
  } else {
    EndGame();
  }
}

void CMyKelvoView::OnNoTimer() {
  // Idle means no timer: none is left behind to tick into the idle screen.
  KillTimer(kSwapTimer);
  KillTimer(kRestTimer);
  m_bSwapTimerRunning = false;
  m_bRestTimerRunning = false;
  m_bPaused = false;
  // A pick belongs to a swap period (a resume can be refused its timer).
  m_nKeyPick = -1;
  // TRANSLATORS: a message box, when the system refuses the game a timer.
  MessageBox(_("No timer available"), "SDI:KELVO", MB_ICONEXCLAMATION | MB_OK);
  m_nGameState = kStateIdle;
}
