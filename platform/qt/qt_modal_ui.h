// Message boxes, template dialogs and the print dialog as real Qt windows
// over the application's main window.
#pragma once

#include "platform/interface/modal_ui.h"

class QWidget;

class QtModalUI : public IModalUI {
 public:
  int MessageBox(const std::string& text, const std::string& caption, UINT style) override;
  int RunDialog(CDialog& dialog) override;
  BOOL PreparePrinting(CPrintInfo& info) override;
  void Print(CView& view, CPrintInfo& info) override;
  std::string ChooseFile(bool save, const std::string& caption) override;
};

// The window modal boxes belong to (the main window once it exists).
QWidget* ModalParent();
void SetModalParent(QWidget* parent);
