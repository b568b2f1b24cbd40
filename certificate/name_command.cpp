// Register > "Enter Your Name": the name box and the player line above the
// rules.
#include "certificate/PlayerNameDlg.h"
#include "game/MyKelvoView.h"
#include "game/spoken_text.h"
#include "platform/language/translation.h"

std::string PlayerLabelText(const std::string& name) {
  // TRANSLATORS: drawn above the rules; %s is the player's name, or nothing
  // before a name is entered.
  return FormattedText(_("Player: %s"), name.c_str());
}

void CMyKelvoView::OnRegisterEnterName() {
  if (thePlayerNameDlg.DoModal() != IDOK) return;
  m_strPlayerLabel = PlayerLabelText(thePlayerNameDlg.m_strPlayerName);
  // Shown at once rather than at the next paint, which may be a long way off.
  CClientDC dc(this);
  DrawPlayerLabel(dc);
  const std::string& name = thePlayerNameDlg.m_strPlayerName;
  Announce(NameSavedText(name, !name.empty() && m_nBonus[kTotalSlot] == kPerfectBonus));
}

void CMyKelvoView::OnUpdateRegisterEnterName(CCmdUI* pCmdUI) {
  // A name changed mid-game would not match the game being played.
  pCmdUI->Enable(m_nGameState == kStateIdle || m_nGameState == kStateGameOver);
}
