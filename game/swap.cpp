// The swap: press the left button on one cell, release it on another (or
// name the two cells from the keyboard), and the two numbers change places;
// the round is scored at once.
#include "game/MyKelvoView.h"
#include "game/scoring.h"
#include "game/spoken_text.h"
#include "platform/language/translation.h"
#include "sound/sound_cues.h"
#include "sound/sound_ids.h"

int CMyKelvoView::HitTestCell(CPoint point) const {
  // Every edge counts as inside, the right and bottom ones too, so a point
  // on a shared edge goes to the first cell that has it.
  for (int i = 1; i <= 9; ++i) {
    const RECT& r = m_rcCell[i];
    if (point.x >= r.left && point.x <= r.right && point.y >= r.top && point.y <= r.bottom)
      return i;
  }
  return -1;
}

bool CMyKelvoView::SwapPeriodOpen() const {
  return m_nGameState == kStateSwapPeriod && m_nCountdown >= 1 && !m_bPaused;
}

void CMyKelvoView::OnLButtonDown(UINT /*nFlags*/, CPoint point) {
  if (!SwapPeriodOpen()) return;
  m_nDragFrom = HitTestCell(point);
}

void CMyKelvoView::OnLButtonUp(UINT /*nFlags*/, CPoint point) {
  if (!SwapPeriodOpen() || m_nDragFrom < 1) {
    PlaySoundCue(IDR_SOUND_REFUSED);
    Announce(_(m_bPaused ? kStillPausedText : kRefusedText));
    return;
  }
  m_nDragTo = HitTestCell(point);
  SwapCells(m_nDragFrom, m_nDragTo);
}

void CMyKelvoView::SwapCells(int nFrom, int nTo) {
  const auto isCell = [](int cell) { return cell >= 1 && cell <= 9; };
  if (!SwapPeriodOpen() || !isCell(nFrom) || !isCell(nTo) || nFrom == nTo) {
    // The round stays open: the player may try again.
    PlaySoundCue(IDR_SOUND_REFUSED);
    Announce(_(isCell(nFrom) && nFrom == nTo ? kSameNumberTwiceText : kRefusedText));
    return;
  }

  CClientDC dc(this);
  dc->SetBkMode(TRANSPARENT);
  m_nCell[0] = m_nCell[nFrom];
  m_nCell[nFrom] = m_nCell[nTo];
  m_nCell[nTo] = m_nCell[0];
  // Repainting the cells also wipes any keyboard frame: the swap ends the
  // period for the player, so none is drawn again.
  PaintCells(dc);
  m_nKeyPick = -1;
  // The before-sum keeps the value the square was set up with: the round is
  // scored against it.
  m_nAfterSum = ComputeLineValues();
  ScoreRound(m_nRound, m_nAfterSum, m_nBeforeSum, m_nScore, m_nBonus);
  DrawLineValues(dc);
  DrawScoreTable(dc, 1);
  // One more tick shows 0 and the next closes the period; no second swap is
  // accepted meanwhile.
  m_nCountdown = 1;
  m_nGameState = kStateRest;
  // The number first taken now stands where it was dropped.
  Announce(SwapResultText(m_nCell[nTo], m_nCell[nFrom], m_nRound, m_nScore, m_nBonus, m_nAfterSum));
}

void CMyKelvoView::OnRButtonDown(UINT /*nFlags*/, CPoint /*point*/) {}
