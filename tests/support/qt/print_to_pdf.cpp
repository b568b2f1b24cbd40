#include "support/qt/print_to_pdf.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <memory>

#include "platform/interface/modal_ui.h"
#include "platform/interface/print_info.h"
#include "platform/interface/view.h"
#include "platform/qt/print_loop.h"

namespace {

// Beyond what any printer offers; a page at this resolution is already
// tens of thousands of pixels across.
constexpr int kMaxPdfDpi = 2400;

// Answers the print dialog with a given printer and passes every other
// question on to the modal interface that was in use before.
class FixedPrinterUI : public IModalUI {
 public:
  FixedPrinterUI(IModalUI& previous, std::unique_ptr<QtPrintDevice> printer)
      : m_previous(previous), m_printer(std::move(printer)) {
    SetModalUI(this);
  }
  ~FixedPrinterUI() override { SetModalUI(&m_previous); }
  FixedPrinterUI(const FixedPrinterUI&) = delete;
  FixedPrinterUI& operator=(const FixedPrinterUI&) = delete;

  int MessageBox(const std::string& text, const std::string& caption, UINT style) override {
    return m_previous.MessageBox(text, caption, style);
  }
  int RunDialog(CDialog& dialog) override { return m_previous.RunDialog(dialog); }
  BOOL PreparePrinting(CPrintInfo& info) override {
    if (!m_printer) return FALSE;
    info.m_pPrinter = std::move(m_printer);
    return TRUE;
  }
  std::string ChooseFile(bool save, const std::string& caption) override {
    return m_previous.ChooseFile(save, caption);
  }

 private:
  IModalUI& m_previous;
  std::unique_ptr<QtPrintDevice> m_printer;
};

}  // namespace

bool PrintViewToPdf(CView& view, const std::string& path, int dpi) {
  if (dpi < 1 || dpi > kMaxPdfDpi || path.empty()) return false;
  auto printer = std::make_unique<QtPrintDevice>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(QString::fromStdString(path));
  printer->setResolution(dpi);
  printer->setPageLayout(
      QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));

  CPrintInfo info;
  {
    FixedPrinterUI pdfChoice(ModalUI(), std::move(printer));
    if (!view.OnPreparePrinting(&info)) return false;
  }
  return PrintPreparedJob(view, info);
}
