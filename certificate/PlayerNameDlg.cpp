#include "certificate/PlayerNameDlg.h"

#include "res/resource_ids.h"

CPlayerNameDlg thePlayerNameDlg;

CPlayerNameDlg::CPlayerNameDlg() : CDialog(IDD_PLAYER_NAME) {}

void CPlayerNameDlg::DoDataExchange(CDataExchange* pDX) {
  // The text goes through a copy: a refused entry keeps the dialog open, and
  // if the player then cancels, the name must still be the one from before.
  std::string typed = m_strPlayerName;
  DDX_Text(pDX, IDC_PLAYER_NAME, typed);
  DDV_MaxChars(pDX, typed, kMaxNameChars);
  if (pDX->m_bSaveAndValidate && !pDX->m_bFailed) m_strPlayerName = typed;
}
