// The Sounds menu: a switch for the round-start "GO" cue only.  The state
// shows in which of the two items is enabled, not in a check mark.
#include "game/MyKelvoView.h"
#include "game/spoken_text.h"
#include "platform/interface/cmd_target.h"

// Said, as the menu that was used has closed and shows nothing of it.
void CMyKelvoView::OnSoundsGoOn() {
  m_bSound = 1;
  Announce(GoSoundText(true));
}

void CMyKelvoView::OnSoundsGoOff() {
  m_bSound = 0;
  Announce(GoSoundText(false));
}

void CMyKelvoView::OnUpdateSoundsGoOn(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bSound == 0); }

void CMyKelvoView::OnUpdateSoundsGoOff(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bSound == 1); }
