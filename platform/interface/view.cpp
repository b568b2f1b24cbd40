#include "platform/interface/view.h"

#include "platform/interface/modal_ui.h"
#include "platform/interface/print_info.h"

void CView::AttachHost(IViewHost* host) {
  if (m_pHost) m_pHost->Timers().SetSink(nullptr);
  m_pHost = host;
  if (m_pHost) m_pHost->Timers().SetSink([this](UINT_PTR id) { OnTimer(id); });
}

void CView::GetClientRect(RECT* rect) const { *rect = m_pHost ? m_pHost->ClientRect() : RECT{}; }

UINT_PTR CView::SetTimer(UINT_PTR id, UINT elapseMs, void* /*callback*/) {
  return m_pHost ? m_pHost->Timers().SetTimer(id, elapseMs) : 0;
}

BOOL CView::KillTimer(UINT_PTR id) { return m_pHost ? m_pHost->Timers().KillTimer(id) : FALSE; }

UINT CView::TimerMsLeft(UINT_PTR id) const {
  return m_pHost ? m_pHost->Timers().TimeLeftMs(id) : 0;
}

void CView::Invalidate() {
  if (m_pHost) m_pHost->Invalidate();
}

void CView::SetFrameCaption(const std::string& text) {
  if (m_pHost) m_pHost->SetCaption(text);
}

int CView::MessageBox(const std::string& text, const std::string& caption, UINT style) {
  return ModalUI().MessageBox(text, caption, style);
}

void CView::Announce(const std::string& text) {
  if (m_pHost) m_pHost->Announce(text);
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) { return ModalUI().PreparePrinting(*pInfo); }

void CView::OnFilePrint() {
  CPrintInfo info;
  if (OnPreparePrinting(&info)) ModalUI().Print(*this, info);
}

namespace {
// Without a window the view draws on a surface without a device, which
// keeps its state and draws nothing.
class NoDeviceDC : public CDC {
 public:
  void FillRect(const RECT*, CBrush*) override {}
  int DrawText(std::string_view, int, RECT*, UINT) override { return 0; }
  BOOL LineTo(int x, int y) override {
    AdvancePosition(x, y);
    return TRUE;
  }
  BOOL Rectangle(const RECT*) override { return FALSE; }
  COLORREF SetPixel(int, int, COLORREF) override { return static_cast<COLORREF>(-1); }
  CSize GetTextExtent(std::string_view) override { return {}; }
};
}  // namespace

CClientDC::CClientDC(CView* view) : m_view(view) {
  if (IViewHost* host = m_view->Host()) {
    // A paint still pending runs first, on every host alike: the handler
    // then draws over the screen the player will see, and what OnDraw sets
    // on its way (the line sums of the square shown) is set before the
    // handler's own work, never in the middle of it.
    if (host->PaintPending()) host->PaintNow();
    m_dc = host->OpenClientDC();
  }
  if (!m_dc) m_dc = std::make_unique<NoDeviceDC>();
}

CClientDC::~CClientDC() {
  if (m_view->Host()) m_view->Host()->CloseClientDC(std::move(m_dc));
}
