// The name box: the player types a name before a game or after one ends.
// The one instance keeps the name for the whole run, so the field opens
// holding the current name each time.
#pragma once

#include <string>

#include "platform/interface/dialog.h"

class CPlayerNameDlg : public CDialog {
 public:
  CPlayerNameDlg();

  // UTF-8, exactly as typed (spaces and all); empty until a name is entered.
  std::string m_strPlayerName;

  static constexpr int kMaxNameChars = 30;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};

extern CPlayerNameDlg thePlayerNameDlg;

// The line above the rules: "Player: Ann", or "Player: " with no name.
std::string PlayerLabelText(const std::string& name);
