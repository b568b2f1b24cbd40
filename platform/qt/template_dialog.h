// A Qt dialog built from a dialog template, exchanging data with the CDialog
// that describes it.
#pragma once

#include <QDialog>
#include <map>

#include "platform/interface/dialog.h"

class QWidget;

class TemplateDialog : public QDialog, private IDialogControls {
 public:
  TemplateDialog(CDialog& dialog, QWidget* parent);

  // The widget of control `id`, for tests; nullptr if there is none.
  QWidget* Control(int id) const;

 protected:
  void accept() override;

 private:
  std::string GetText(int id) const override;
  void SetText(int id, const std::string& text) override;
  void LimitText(int id, int maxChars) override;
  void Focus(int id) override;
  void Build(const DialogTemplate& tmpl);

  CDialog& m_dialog;
  std::map<int, QWidget*> m_controls;
  std::map<int, int> m_limits;
};
