#include "platform/qt/print_loop.h"

#include <sys/mman.h>
#include <unistd.h>

#include <QFile>
#include <QPainter>
#include <string>

#include "platform/drawing/painter_dc.h"
#include "platform/files/bounded_call.h"
#include "platform/files/safe_file.h"
#include "platform/interface/modal_ui.h"
#include "platform/interface/print_info.h"
#include "platform/interface/view.h"
#include "platform/language/translation.h"

bool PrintPreparedJob(CView& view, CPrintInfo& info) {
  auto* printer = dynamic_cast<QtPrintDevice*>(info.m_pPrinter.get());
  if (!printer) return false;
  QPainter painter;
  if (!painter.begin(printer)) return false;

  const QRect paintRect = printer->pageLayout().paintRectPixels(printer->resolution());
  info.m_rectDraw = {0, 0, paintRect.width(), paintRect.height()};
  bool ok = true;
  {
    PainterDC dc(&painter);
    view.OnBeginPrinting(&dc, &info);
    for (UINT page = info.GetMinPage(); page <= info.GetMaxPage() && info.m_bContinuePrinting;
         ++page) {
      if (page > info.GetMinPage() && !printer->newPage()) {
        ok = false;
        break;
      }
      info.m_nCurPage = page;
      dc.StartPage();
      view.OnPrint(&dc, &info);
      dc.EndPage();
      // The page range may end at the largest page number there is.
      if (page == info.GetMaxPage()) break;
    }
    view.OnEndPrinting(&dc, &info);
  }
  // Ending the painter finishes the job; for a file this is when it is
  // written out.
  return painter.end() && ok;
}

std::string PrintTargetRefusal(const std::string& target, const std::string& why) {
  // TRANSLATORS: %s the file printed to, then why it cannot be.
  return FormattedText(_("Cannot print to \"%s\": %s."), target.c_str(), why.c_str());
}

namespace {

void ReportPrinterFailure() {
  AfxMessageBox(_("Nothing was printed: the printer could not be started."), MB_ICONEXCLAMATION);
}

void RefuseTarget(const std::string& target, const std::string& why) {
  AfxMessageBox(PrintTargetRefusal(target, why), MB_ICONEXCLAMATION);
}

// The whole of the memory file `fd`.
std::string ReadBack(int fd) {
  std::string bytes;
  char buffer[65536];
  for (off_t offset = 0;;) {
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, offset);
    if (n <= 0) return bytes;
    bytes.append(buffer, static_cast<std::size_t>(n));
    offset += n;
  }
}

// Print to File: the page is made in memory and then written to the chosen
// file by the game's own safe writer, so a file that is no regular file, a
// file the player may not write, or a stalled file system never holds up
// the game or comes to harm; the target is checked before the job starts.
void PrintToFile(CView& view, CPrintInfo& info, const std::string& target) {
  std::string why;
  if (!CheckPrintTarget(target, &why)) {
    RefuseTarget(target, why);
    return;
  }
  const int memory = ::memfd_create("kelvo-print", MFD_CLOEXEC);
  if (memory < 0) {
    ReportPrinterFailure();
    return;
  }
  dynamic_cast<QtPrintDevice&>(*info.m_pPrinter)
      .setOutputFileName(QStringLiteral("/proc/self/fd/%1").arg(memory));
  const bool printed = PrintPreparedJob(view, info);
  const std::string bytes = ReadBack(memory);
  ::close(memory);
  if (!printed || bytes.empty()) {
    ReportPrinterFailure();
    return;
  }
  const bool written = CallFileOperation(
      [target, bytes](std::string* reason, CommitGate& gate) {
        return ReplaceFileContents(target, bytes, reason, [&gate] { return gate.Enter(); });
      },
      &why);
  if (!written) RefuseTarget(target, why);
}

}  // namespace

bool CheckPrintTarget(const std::string& target, std::string* why) {
  return CallFileOperation(
      [target](std::string* reason, CommitGate&) { return CheckWritableTarget(target, reason); },
      why);
}

void PrintJob(CView& view, CPrintInfo& info) {
  auto* printer = dynamic_cast<QtPrintDevice*>(info.m_pPrinter.get());
  const QString outputFile = printer ? printer->outputFileName() : QString();
  if (!outputFile.isEmpty()) {
    PrintToFile(view, info, QFile::encodeName(outputFile).toStdString());
    return;
  }
  if (!PrintPreparedJob(view, info)) ReportPrinterFailure();
}
