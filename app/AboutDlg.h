// The About box: icon, version line and attribution; OK or Escape closes it.
#pragma once

#include "platform/interface/dialog.h"
#include "res/resource_ids.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
