// Modal message boxes, dialogs and the print dialog.  The Qt implementation
// shows real windows over the main window; tests install their own to answer
// at once and record what was asked.
#pragma once

#include <string>

#include "platform/app_resources.h"
#include "platform/win_types.h"

class CDialog;
class CPrintInfo;

class IModalUI {
 public:
  virtual ~IModalUI() = default;
  // Returns the button that closed the box (IDOK, IDCANCEL).
  virtual int MessageBox(const std::string& text, const std::string& caption, UINT style) = 0;
  // Runs `dialog` modally; returns IDOK or IDCANCEL.
  virtual int RunDialog(CDialog& dialog) = 0;
  // Asks which printer to use and fills in the job's printer; FALSE when
  // cancelled or when there is no printer.
  virtual BOOL PreparePrinting(CPrintInfo& info) = 0;
  // Asks for a file to open (or, with `save`, to save to); empty when the
  // player cancels.
  virtual std::string ChooseFile(bool /*save*/, const std::string& /*caption*/) { return {}; }
};

// The one in use: the Qt one unless a test installed another.
IModalUI& ModalUI();
// Installs `ui` (nullptr: back to the Qt one).  The caller keeps ownership.
void SetModalUI(IModalUI* ui);

// A message box captioned with the application's title.
int AfxMessageBox(const std::string& text, UINT style = MB_OK);
