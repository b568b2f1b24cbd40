#include "platform/print_loop.h"

#include <QPainter>

#include "platform/modal_ui.h"
#include "platform/painter_dc.h"
#include "platform/print_device.h"
#include "platform/print_info.h"
#include "platform/view.h"

bool PrintPreparedJob(CView& view, CPrintInfo& info) {
  QPrinter* printer = info.m_pPrinter.get();
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

void RunPrintJob(CView& view) {
  CPrintInfo info;
  if (!view.OnPreparePrinting(&info)) return;
  if (!PrintPreparedJob(view, info))
    AfxMessageBox("Nothing was printed: the printer could not be started.", MB_ICONEXCLAMATION);
}
