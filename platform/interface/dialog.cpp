#include "platform/interface/dialog.h"

#include <string>

#include "platform/interface/modal_ui.h"
#include "platform/language/translation.h"

int CountCharacters(const std::string& utf8) {
  int count = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++count;
  }
  return count;
}

void DDX_Text(CDataExchange* pDX, int controlId, std::string& value) {
  pDX->m_nLastControl = controlId;
  if (pDX->m_bFailed) return;
  if (pDX->m_bSaveAndValidate)
    value = pDX->m_controls.GetText(controlId);
  else
    pDX->m_controls.SetText(controlId, value);
}

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int maxChars) {
  if (pDX->m_bFailed) return;
  if (!pDX->m_bSaveAndValidate) {
    pDX->m_controls.LimitText(pDX->m_nLastControl, maxChars);
    return;
  }
  if (CountCharacters(value) > maxChars) {
    AfxMessageBox(FormattedText(TranslatedCount("Please enter no more than %d character.",
                                                "Please enter no more than %d characters.",
                                                static_cast<unsigned long>(maxChars)),
                                maxChars),
                  MB_ICONEXCLAMATION);
    pDX->m_controls.Focus(pDX->m_nLastControl);
    pDX->m_bFailed = true;
  }
}

int CDialog::DoModal() { return ModalUI().RunDialog(*this); }

bool CDialog::ExchangeData(IDialogControls& controls, bool saveAndValidate) {
  CDataExchange dx(controls, saveAndValidate);
  DoDataExchange(&dx);
  return !dx.m_bFailed;
}
