#include "support/headless_host.h"

#include <QPainter>
#include <algorithm>

#include "platform/drawing/painter_dc.h"

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

HeadlessHost::HeadlessHost(int width, int height, Options options) : m_options(options) {
  // The image holds at least one pixel so a painter can always open on it;
  // the client rectangle reports the size asked for.
  SetSize(width, height);
}

void HeadlessHost::SetSize(int width, int height) {
  m_width = std::max(width, 0);
  m_height = std::max(height, 0);
  // Without pixels nothing draws into the image, and an 8K one would cost a
  // large allocation and fill at every resize for nothing.
  const int imageWidth = m_options.pixels ? std::max(m_width, 1) : 1;
  const int imageHeight = m_options.pixels ? std::max(m_height, 1) : 1;
  m_image = QImage(imageWidth, imageHeight, QImage::Format_RGB32);
  m_image.fill(Qt::white);
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
  std::unique_ptr<CDC> real;
  if (m_options.pixels)
    real = std::make_unique<PainterDC>(&m_image);
  else
    real = std::make_unique<PainterDC>(static_cast<QPaintDevice*>(nullptr));
  if (!m_options.record) return real;
  // Calls go into the host's log as they are made, so a test that looks in
  // the middle of a handler (at a cue, say) sees what has been drawn so far.
  return std::make_unique<OwningRecordingDC>(std::move(real), &m_recorded);
}

void HeadlessHost::CloseClientDC(std::unique_ptr<CDC> dc) { dc.reset(); }

void HeadlessHost::Paint() {
  ++m_nPaints;
  m_paintPending = false;
  m_image.fill(Qt::white);
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
