// A window without a screen: a clock that moves only when told, a log of
// every drawing call (when asked), and what the view had a screen reader
// say.  It draws no pixels itself: given a canvas (support/qt/pixel_host.h)
// it draws on that too.  Tests, benchmarks and fuzzers show the view
// through it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/interface/view.h"
#include "platform/interface/view_host.h"
#include "support/manual_timer_service.h"
#include "support/recording_dc.h"

// Pixels for a headless host: the client area's backing image.
class PixelCanvas {
 public:
  virtual ~PixelCanvas() = default;
  // Sized to the client area and erased to white.
  virtual void Reset(int width, int height) = 0;
  virtual void Erase() = 0;
  virtual std::unique_ptr<CDC> Open() = 0;
};

class HeadlessHost : public IViewHost {
 public:
  struct Options {
    // Keep a log of every drawing call of paints and handlers.
    bool record = false;
  };
  HeadlessHost(int width, int height) : HeadlessHost(width, height, Options()) {}
  HeadlessHost(int width, int height, Options options,
               std::unique_ptr<PixelCanvas> canvas = nullptr);
  ~HeadlessHost() override;

  // Shows `view` in this host (and connects its timers to the clock).
  void Attach(CView* view);
  // A paint, as when the window is first shown or uncovered: the client area
  // is erased to white and the view's OnDraw draws it again.
  void Paint();
  // Changes the client size and paints.
  void Resize(int width, int height);
  // Changes the client size and leaves the paint pending, as a window does
  // until its paint event arrives: a handler that draws first runs it.
  void ResizeLater(int width, int height);

  // The pixels drawn; nullptr without a canvas.
  PixelCanvas* Canvas() const { return m_canvas.get(); }
  ManualTimerService& Clock() { return m_timers; }
  const std::vector<DrawCall>& Recorded() const { return m_recorded; }
  void ClearRecorded() { m_recorded.clear(); }
  const std::string& Caption() const { return m_caption; }
  int PaintCount() const { return m_nPaints; }
  int InvalidateCount() const { return m_nInvalidates; }
  // What the view had a screen reader say, in order.
  const std::vector<std::string>& Announced() const { return m_announced; }
  void ClearAnnounced() { m_announced.clear(); }
  // What the view describes to a screen reader now.
  AccessibleNode Description() const;

  // IViewHost
  RECT ClientRect() const override;
  std::unique_ptr<CDC> OpenClientDC() override;
  void CloseClientDC(std::unique_ptr<CDC> dc) override;
  ITimerService& Timers() override { return m_timers; }
  void SetCaption(const std::string& text) override { m_caption = text; }
  void Invalidate() override;
  bool PaintPending() const override { return m_paintPending; }
  void PaintNow() override { Paint(); }
  void Announce(const std::string& text) override { m_announced.push_back(text); }

 private:
  void SetSize(int width, int height);

  Options m_options;
  int m_width = 0;
  int m_height = 0;
  std::unique_ptr<PixelCanvas> m_canvas;
  ManualTimerService m_timers;
  CView* m_view = nullptr;
  std::vector<DrawCall> m_recorded;
  std::string m_caption;
  std::vector<std::string> m_announced;
  int m_nPaints = 0;
  int m_nInvalidates = 0;
  bool m_paintPending = false;
};
