// Modal dialogs built from a dialog template, with data exchange between the
// dialog's members and its controls.
#pragma once

#include <string>

#include "platform/interface/cmd_target.h"
#include "platform/interface/dialog_template.h"
#include "platform/interface/win_types.h"

// The controls of an open dialog, by id.
class IDialogControls {
 public:
  virtual ~IDialogControls() = default;
  virtual std::string GetText(int id) const = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  // Limits how many characters can be typed into an edit field.
  virtual void LimitText(int id, int maxChars) = 0;
  virtual void Focus(int id) = 0;
};

class CDataExchange {
 public:
  CDataExchange(IDialogControls& controls, bool saveAndValidate)
      : m_controls(controls), m_bSaveAndValidate(saveAndValidate) {}
  IDialogControls& m_controls;
  bool m_bSaveAndValidate;
  // Set when a validation refused the data; the dialog then stays open.
  bool m_bFailed = false;
  int m_nLastControl = 0;
};

// Copies between an edit control and a string member.
void DDX_Text(CDataExchange* pDX, int controlId, std::string& value);
// Limits the control to `maxChars` characters and, when saving, refuses a
// longer text with "Please enter no more than N characters.".  Characters
// are counted as the player sees them (code points), not bytes.
void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int maxChars);

class CDialog : public CCmdTarget {
 public:
  explicit CDialog(UINT templateId) : m_nTemplateId(templateId) {}
  ~CDialog() override = default;

  // Shows the dialog and returns IDOK or IDCANCEL when it closes.
  virtual int DoModal();
  UINT TemplateId() const { return m_nTemplateId; }

  // Called by the dialog runner: fills the controls when the dialog opens,
  // and reads and validates them when OK is pressed.  Returns false when a
  // validation refused the data (the dialog stays open).
  bool ExchangeData(IDialogControls& controls, bool saveAndValidate);

 protected:
  virtual void DoDataExchange(CDataExchange* /*pDX*/) {}

 private:
  UINT m_nTemplateId;
};

// Number of characters (code points) in a UTF-8 text.
int CountCharacters(const std::string& utf8);
