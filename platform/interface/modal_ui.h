// Modal message boxes, dialogs and the print dialog.  The application
// installs the Qt ones, real windows over the main window; tests install
// their own to answer at once and record what was asked.
#pragma once

#include <string>

#include "platform/interface/app_resources.h"
#include "platform/interface/win_types.h"

class CDialog;
class CPrintInfo;
class CView;

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
  // Prints the pages of a job PreparePrinting filled in; a printer that
  // cannot be started, or a Print to File target that cannot be written,
  // is reported in a message box.
  virtual void Print(CView& /*view*/, CPrintInfo& /*info*/) {}
  // Asks for a file to open (or, with `save`, to save to); empty when the
  // player cancels.
  virtual std::string ChooseFile(bool /*save*/, const std::string& /*caption*/) { return {}; }
};

// The one installed; until then one that shows nothing (a message goes to
// standard error, dialogs are cancelled).
IModalUI& ModalUI();
// Installs `ui` (nullptr: none) and returns the one it replaces.  The caller
// keeps ownership.
IModalUI* SetModalUI(IModalUI* ui);

// A message box captioned with the application's title.
int AfxMessageBox(const std::string& text, UINT style = MB_OK);
