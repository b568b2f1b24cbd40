// The base of the game's view: the event handlers a window delivers to it
// (paint, keys, left and right button, timers, printing) and the services
// it calls back (client rectangle, client surfaces, timers, caption).
#pragma once

#include <memory>
#include <string>

#include "platform/interface/accessible_model.h"
#include "platform/interface/cmd_target.h"
#include "platform/interface/dc.h"
#include "platform/interface/view_host.h"
#include "platform/interface/win_types.h"

class CPrintInfo;

class CView : public CCmdTarget {
 public:
  CView() = default;
  ~CView() override = default;
  CView(const CView&) = delete;
  CView& operator=(const CView&) = delete;

  // Connects the view to the window that shows it; timers then reach
  // OnTimer.  Pass nullptr to disconnect.
  void AttachHost(IViewHost* host);
  IViewHost* Host() const { return m_pHost; }

  // --- events, one at a time on the user-interface thread ---
  virtual void OnDraw(CDC* pDC) = 0;
  virtual void OnKeyDown(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/) {}
  virtual void OnTimer(UINT_PTR /*nIDEvent*/) {}
  virtual void OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/) {}
  virtual void OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/) {}
  virtual void OnRButtonDown(UINT /*nFlags*/, CPoint /*point*/) {}
  // The view's window got the keyboard focus, or lost it (to a menu, a
  // dialog, another window).
  virtual void OnSetFocus() {}
  virtual void OnKillFocus() {}

  // --- assistive technology ---
  // Describes what the view shows now into `root`, the view itself, for a
  // screen reader.  Asked for after every event the view has handled.
  virtual void DescribeForAccessibility(AccessibleNode& /*root*/) const {}

  // --- printing: the standard print loop (OnFilePrint) calls these in order ---
  virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
  virtual void OnBeginPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/) {}
  virtual void OnPrint(CDC* pDC, CPrintInfo* /*pInfo*/) { OnDraw(pDC); }
  virtual void OnEndPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/) {}

  // --- services ---
  void GetClientRect(RECT* rect) const;
  // Returns the id, or 0 when the timer cannot be had (or no window shows
  // the view).
  UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, void* callback = nullptr);
  BOOL KillTimer(UINT_PTR id);
  // Milliseconds until timer `id` next expires; 0 when it is not running.
  UINT TimerMsLeft(UINT_PTR id) const;
  void Invalidate();
  // Writes the main window's caption.
  void SetFrameCaption(const std::string& text);
  // A modal message box over the main window; timers keep running while it
  // is open.
  int MessageBox(const std::string& text, const std::string& caption, UINT style);
  // Has a screen reader say `text` without moving the focus (nothing
  // happens when none listens).
  void Announce(const std::string& text);

 protected:
  // Shows the print dialog for the job; FALSE when it was cancelled or no
  // printer can be had.
  BOOL DoPreparePrinting(CPrintInfo* pInfo);
  // File > Print: the view prepares the job (which shows the print dialog)
  // and the pages are printed.  A cancelled dialog prints nothing; a
  // failure is reported in a message box; the game goes on either way.
  void OnFilePrint();

 private:
  IViewHost* m_pHost = nullptr;
};

// A surface on a view's client area for the length of one event handler.
class CClientDC {
 public:
  explicit CClientDC(CView* view);
  ~CClientDC();
  CClientDC(const CClientDC&) = delete;
  CClientDC& operator=(const CClientDC&) = delete;

  CDC* operator->() const { return m_dc.get(); }
  operator CDC*() const { return m_dc.get(); }

 private:
  CView* m_view;
  std::unique_ptr<CDC> m_dc;
};
