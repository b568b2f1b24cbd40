// The record of one print job, as the standard print loop hands it to the
// view: the page range, the drawable part of the page in device pixels, and
// whether the loop should go on to another page.
#pragma once

#include <memory>

#include "platform/interface/win_types.h"

// The printer a job prints on; only the platform's printing knows what it
// is (qt/print_loop.h).
class PrintDevice {
 public:
  virtual ~PrintDevice() = default;
};

class CPrintInfo {
 public:
  void SetMinPage(UINT n) { m_nMinPage = n; }
  void SetMaxPage(UINT n) { m_nMaxPage = n; }
  UINT GetMinPage() const { return m_nMinPage; }
  UINT GetMaxPage() const { return m_nMaxPage; }

  BOOL m_bContinuePrinting = TRUE;
  UINT m_nCurPage = 1;
  // The drawable page rectangle in device units.
  RECT m_rectDraw;
  // The printer chosen in the print dialog; empty until then.
  std::unique_ptr<PrintDevice> m_pPrinter;

 private:
  UINT m_nMinPage = 1;
  UINT m_nMaxPage = 0xFFFF;
};
