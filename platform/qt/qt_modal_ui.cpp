#include "platform/qt/qt_modal_ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageLayout>
#include <QPointer>
#include <QPrintDialog>
#include <cstdio>

#include "platform/interface/app_resources.h"
#include "platform/interface/print_info.h"
#include "platform/language/translation.h"
#include "platform/qt/print_loop.h"
#include "platform/qt/template_dialog.h"

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
// Qt's print dialog checks a Print to File target by opening it, which
// waits forever on a named pipe or a stalled file system.  Where the dialog
// is the one we know (its file field and its check), the game checks the
// target first, without blocking, and keeps the dialog open with a message
// when it cannot be printed to; elsewhere the print loop's own check still
// comes before the job.
void CheckPrintTargetFirst(QPrintDialog& dialog) {
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  auto* fileField = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
  if (!buttons || !fileField || dialog.metaObject()->indexOfMethod("_q_checkFields()") < 0) return;
  QObject::disconnect(buttons, SIGNAL(accepted()), &dialog, nullptr);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, fileField] {
    QString path = fileField->text();
    if (fileField->isEnabled() && !path.isEmpty()) {
      // Where the dialog puts a relative name.
      if (QDir::isRelativePath(path)) path = QDir::homePath() + QLatin1Char('/') + path;
      const std::string target = QFile::encodeName(path).toStdString();
      std::string why;
      if (!CheckPrintTarget(target, &why)) {
        QMessageBox::warning(&dialog, dialog.windowTitle(),
                             QString::fromStdString(PrintTargetRefusal(path.toStdString(), why)));
        return;
      }
    }
    QMetaObject::invokeMethod(&dialog, "_q_checkFields");
  });
}

// Qt's print dialog leaves two of its parts for a screen reader to guess at:
// its "..." button has no name but its dots, and Orca reads its printer box
// without the printer chosen in it (Qt exposes a combo box's choice to the
// accessibility bus only as its name, which Orca replaces with the label
// that names the box).  Where the parts are the ones we know, the button is
// named for what it does and the box's label carries the printer too; what
// is drawn is untouched.
void NamePrintDialogParts(QPrintDialog& dialog) {
  if (auto* browse = dialog.findChild<QAbstractButton*>(QStringLiteral("fileBrowser")))
    // TRANSLATORS: the name a screen reader gives the print dialog's "..." button.
    browse->setAccessibleName(QString::fromUtf8(_("Choose output file")));
  auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
  if (!printers) return;
  printers->setAccessibleName(QString::fromUtf8(_("Printer")));
  for (auto* label : dialog.findChildren<QLabel*>()) {
    if (label->buddy() != printers) continue;
    auto name = [label, printers] {
      // TRANSLATORS: what a screen reader reads before the printer chosen.
      label->setAccessibleName(QString::fromUtf8(_("Printer: %1")).arg(printers->currentText()));
    };
    name();
    QObject::connect(printers, &QComboBox::currentTextChanged, label, name);
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
  // Without its template a dialog would open as an empty box: say what is
  // missing instead, and answer as if it were cancelled.
  if (!FindDialogTemplate(dialog.TemplateId())) {
    std::fprintf(stderr, "kelvo: no template for dialog %u\n", dialog.TemplateId());
    return IDCANCEL;
  }
  TemplateDialog window(dialog, ModalParent());
  return window.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

BOOL QtModalUI::PreparePrinting(CPrintInfo& info) {
  auto printer = std::make_unique<QtPrintDevice>(QPrinter::HighResolution);
  QPrintDialog dialog(printer.get(), ModalParent());
  dialog.setMinMax(static_cast<int>(info.GetMinPage()), static_cast<int>(info.GetMaxPage()));
  dialog.setFromTo(static_cast<int>(info.GetMinPage()), static_cast<int>(info.GetMaxPage()));
  CheckPrintTargetFirst(dialog);
  NamePrintDialogParts(dialog);
  if (dialog.exec() != QDialog::Accepted) return FALSE;
  info.m_pPrinter = std::move(printer);
  return TRUE;
}

void QtModalUI::Print(CView& view, CPrintInfo& info) { PrintJob(view, info); }

std::string QtModalUI::ChooseFile(bool save, const std::string& caption) {
  // TRANSLATORS: the file chooser's filter; keep "(*)".
  const QString filter = QString::fromUtf8(_("All Files (*)"));
  const QString title = QString::fromStdString(caption);
  const QString path = save ? QFileDialog::getSaveFileName(ModalParent(), title, QString(), filter)
                            : QFileDialog::getOpenFileName(ModalParent(), title, QString(), filter);
  // File names are bytes in the encoding of the file system.
  return QFile::encodeName(path).toStdString();
}
