#include "platform/qt_modal_ui.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPageLayout>
#include <QPointer>
#include <QPrintDialog>

#include "platform/print_device.h"
#include "platform/print_info.h"
#include "platform/qt_dialog.h"

namespace {
QPointer<QWidget> g_modalParent;

QMessageBox::Icon IconFor(UINT style) {
  switch (style & 0xF0) {
    case MB_ICONERROR:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
      return QMessageBox::Warning;
    case MB_ICONINFORMATION:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}
}  // namespace

QWidget* ModalParent() { return g_modalParent.data(); }
void SetModalParent(QWidget* parent) { g_modalParent = parent; }

int QtModalUI::MessageBox(const std::string& text, const std::string& caption, UINT style) {
  QMessageBox box(IconFor(style), QString::fromStdString(caption), QString::fromStdString(text),
                  QMessageBox::Ok, ModalParent());
  if ((style & 0x0F) == MB_OKCANCEL) box.addButton(QMessageBox::Cancel);
  // exec() runs a nested event loop: the game's timers keep firing meanwhile.
  return box.exec() == QMessageBox::Cancel ? IDCANCEL : IDOK;
}

int QtModalUI::RunDialog(CDialog& dialog) {
  TemplateDialog window(dialog, ModalParent());
  return window.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

BOOL QtModalUI::PreparePrinting(CPrintInfo& info) {
  auto printer = std::make_unique<PrintDevice>(QPrinter::HighResolution);
  QPrintDialog dialog(printer.get(), ModalParent());
  dialog.setMinMax(static_cast<int>(info.GetMinPage()), static_cast<int>(info.GetMaxPage()));
  dialog.setFromTo(static_cast<int>(info.GetMinPage()), static_cast<int>(info.GetMaxPage()));
  if (dialog.exec() != QDialog::Accepted) return FALSE;
  info.m_pPrinter = std::move(printer);
  return TRUE;
}

std::string QtModalUI::ChooseFile(bool save, const std::string& caption) {
  const QString filter = QStringLiteral("All Files (*)");
  const QString title = QString::fromStdString(caption);
  const QString path = save ? QFileDialog::getSaveFileName(ModalParent(), title, QString(), filter)
                            : QFileDialog::getOpenFileName(ModalParent(), title, QString(), filter);
  return path.toStdString();
}
