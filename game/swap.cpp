// The swap: press the left button on one cell, release it on another, and
// the two numbers change places; the round is scored at once.
#include "game/MyKelvoView.h"
#include "game/scoring.h"
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

void CMyKelvoView::OnLButtonDown(UINT /*nFlags*/, CPoint point) {
  if (m_nGameState != kStateSwapPeriod || m_nCountdown < 1) return;
  m_nDragFrom = HitTestCell(point);
}

void CMyKelvoView::OnLButtonUp(UINT /*nFlags*/, CPoint point) {
  if (m_nGameState != kStateSwapPeriod || m_nCountdown < 1 || m_nDragFrom < 1) {
    PlaySoundCue(IDR_SOUND_REFUSED);
    return;
  }
  m_nDragTo = HitTestCell(point);
  if (m_nDragTo == m_nDragFrom || m_nDragTo < 1) {
    // The round stays open: the player may try again.
    PlaySoundCue(IDR_SOUND_REFUSED);
    return;
  }

  CClientDC dc(this);
  dc->SetBkMode(TRANSPARENT);
  m_nCell[0] = m_nCell[m_nDragFrom];
  m_nCell[m_nDragFrom] = m_nCell[m_nDragTo];
  m_nCell[m_nDragTo] = m_nCell[0];
  PaintCells(dc);
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
}

void CMyKelvoView::OnRButtonDown(UINT /*nFlags*/, CPoint /*point*/) {}
