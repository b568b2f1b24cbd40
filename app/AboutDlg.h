// The About box: icon, version line and attribution; OK or Escape closes it.
#pragma once

#include <string>

#include "platform/interface/dialog.h"
#include "platform/language/translation.h"
#include "res/resource_ids.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

 protected:
  // The version line in the player's language ("Kelvo Version D608").
  void DoDataExchange(CDataExchange* pDX) override {
    // TRANSLATORS: the About box; %s is the build's label.
    std::string version = FormattedText(_("Kelvo Version %s"), KELVO_BUILD_LABEL);
    DDX_Text(pDX, IDC_ABOUT_VERSION, version);
  }
};
