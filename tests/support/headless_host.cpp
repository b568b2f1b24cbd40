#include "support/headless_host.h"

#include <algorithm>

namespace {

// A recording surface that owns the real surface it passes calls on to.
class OwningRecordingDC : public RecordingDC {
 public:
  OwningRecordingDC(std::unique_ptr<CDC> target, std::vector<DrawCall>* log)
      : RecordingDC(target.get(), log), m_target(std::move(target)) {}

 private:
  std::unique_ptr<CDC> m_target;
};

}  // namespace

HeadlessHost::HeadlessHost(int width, int height, Options options,
                           std::unique_ptr<PixelCanvas> canvas)
    : m_options(options), m_canvas(std::move(canvas)) {
  SetSize(width, height);
}

void HeadlessHost::SetSize(int width, int height) {
  m_width = std::max(width, 0);
  m_height = std::max(height, 0);
  if (m_canvas) m_canvas->Reset(m_width, m_height);
}

HeadlessHost::~HeadlessHost() {
  if (m_view) m_view->AttachHost(nullptr);
}

void HeadlessHost::Attach(CView* view) {
  if (m_view) m_view->AttachHost(nullptr);
  m_view = view;
  if (m_view) m_view->AttachHost(this);
}

RECT HeadlessHost::ClientRect() const { return {0, 0, m_width, m_height}; }

std::unique_ptr<CDC> HeadlessHost::OpenClientDC() {
  std::unique_ptr<CDC> real = m_canvas ? m_canvas->Open() : nullptr;
  // Without pixels or a log, a surface that keeps its state and draws nothing.
  if (!m_options.record) return real ? std::move(real) : std::make_unique<RecordingDC>();
  // Calls go into the host's log as they are made, so a test that looks in
  // the middle of a handler (at a cue, say) sees what has been drawn so far.
  return std::make_unique<OwningRecordingDC>(std::move(real), &m_recorded);
}

void HeadlessHost::CloseClientDC(std::unique_ptr<CDC> dc) { dc.reset(); }

void HeadlessHost::Paint() {
  ++m_nPaints;
  m_paintPending = false;
  if (m_canvas) m_canvas->Erase();
  if (!m_view) return;
  std::unique_ptr<CDC> dc = OpenClientDC();
  m_view->OnDraw(dc.get());
  CloseClientDC(std::move(dc));
}

AccessibleNode HeadlessHost::Description() const {
  AccessibleNode root;
  if (m_view) m_view->DescribeForAccessibility(root);
  return root;
}

void HeadlessHost::Resize(int width, int height) {
  SetSize(width, height);
  Paint();
}

void HeadlessHost::ResizeLater(int width, int height) {
  SetSize(width, height);
  m_paintPending = true;
}

void HeadlessHost::Invalidate() {
  // Like a real window, the paint asked for here comes later: when the test
  // calls Paint(), or when a handler opens a surface first.  Counting the
  // requests lets a test check one was made.
  ++m_nInvalidates;
  m_paintPending = true;
}
