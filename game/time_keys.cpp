// Time a player can take, from the keyboard and without a menu: a pause
// that stops the swap period or the rest where they are, and a longer or
// shorter swap period chosen between games.  Each is said aloud.
//
// The keys: Pause, and H ("hold") for the many laptops without a Pause key
// (P already says the score); "+" and "-" on the main row or the keypad,
// and "=" as "+" where "+" needs Shift.  None needs Alt or Ctrl, which
// belong to the menus.
#include <algorithm>

#include "game/MyKelvoView.h"
#include "game/spoken_text.h"
#include "platform/interface/virtual_keys.h"
#include "platform/language/translation.h"

void CMyKelvoView::SetSwapSeconds(int seconds) {
  m_nSwapSeconds = std::clamp(seconds, kMinSwapSeconds, kMaxSwapSeconds);
}

bool CMyKelvoView::OnTimeKey(UINT nChar) {
  if (nChar == VK_PAUSE || nChar == 'H') {
    if (m_bPaused)
      Resume();
    else
      Pause();
    return true;
  }
  if (nChar == VK_OEM_PLUS || nChar == VK_OEM_MINUS) {
    StepSwapSeconds(nChar == VK_OEM_PLUS ? 1 : -1);
    return true;
  }
  return false;
}

void CMyKelvoView::Pause() {
  if (!m_bSwapTimerRunning && !m_bRestTimerRunning) {
    Announce(_(kNothingToPauseText));
    return;
  }
  // The timers stop; the countdown stays where it is.
  if (m_bSwapTimerRunning) KillTimer(kSwapTimer);
  if (m_bRestTimerRunning) {
    m_nRestMsLeft = TimerMsLeft(kRestTimer);
    KillTimer(kRestTimer);
  }
  m_bPaused = true;
  const bool swapping = m_bSwapTimerRunning && m_nGameState == kStateSwapPeriod;
  Announce(PausedText(swapping ? SecondsLeft(m_nCountdown, SwapTick()) : -1));
}

void CMyKelvoView::Resume() {
  m_bPaused = false;
  // The countdown goes on a whole tick after this; the rest for what it had
  // left.
  if ((m_bSwapTimerRunning && SetTimer(kSwapTimer, SwapTick()) == 0) ||
      (m_bRestTimerRunning && SetTimer(kRestTimer, std::max(m_nRestMsLeft, 1u)) == 0)) {
    OnNoTimer();
    return;
  }
  const bool swapping = m_bSwapTimerRunning && m_nGameState == kStateSwapPeriod;
  Announce(ResumedText(swapping ? SecondsLeft(m_nCountdown, SwapTick()) : -1));
}

void CMyKelvoView::StepSwapSeconds(int direction) {
  // A round played at one pace and the next at another would not be one
  // game; the new period starts with the next game.
  if (m_nGameState == kStateSwapPeriod || m_nGameState == kStateRest) {
    Announce(SwapSecondsBetweenGamesText(m_nSwapSeconds));
    return;
  }
  const int next = NextSwapSecondsStep(m_nSwapSeconds, direction);
  if (next == m_nSwapSeconds) {
    Announce(SwapSecondsAtLimitText(m_nSwapSeconds, direction > 0));
    return;
  }
  SetSwapSeconds(next);
  Announce(SwapSecondsText(m_nSwapSeconds));
}
