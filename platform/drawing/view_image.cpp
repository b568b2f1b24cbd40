#include "platform/drawing/view_image.h"

#include <QBuffer>
#include <QImage>
#include <algorithm>

#include "platform/drawing/painter_dc.h"
#include "platform/interface/view.h"

namespace {

// A picture is drawn once: no timer ever runs in it.
class NoTimers : public ITimerService {
 public:
  void SetSink(Sink) override {}
  UINT_PTR SetTimer(UINT_PTR, UINT) override { return 0; }
  BOOL KillTimer(UINT_PTR) override { return FALSE; }
  bool IsRunning(UINT_PTR) const override { return false; }
  UINT TimeLeftMs(UINT_PTR) const override { return 0; }
};

class ImageHost : public IViewHost {
 public:
  ImageHost(int width, int height)
      : m_width(width),
        m_height(height),
        m_image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32) {}

  void Paint(CView& view) {
    m_image.fill(Qt::white);
    PainterDC dc(&m_image);
    view.OnDraw(&dc);
  }
  const QImage& Image() const { return m_image; }

  RECT ClientRect() const override { return {0, 0, m_width, m_height}; }
  std::unique_ptr<CDC> OpenClientDC() override { return std::make_unique<PainterDC>(&m_image); }
  void CloseClientDC(std::unique_ptr<CDC>) override {}
  ITimerService& Timers() override { return m_timers; }
  void SetCaption(const std::string&) override {}
  void Invalidate() override {}
  bool PaintPending() const override { return false; }
  void PaintNow() override {}

 private:
  int m_width;
  int m_height;
  QImage m_image;
  NoTimers m_timers;
};

}  // namespace

std::optional<std::string> DrawViewAsPng(CView& view, int width, int height) {
  ImageHost host(std::max(width, 0), std::max(height, 0));
  view.AttachHost(&host);
  host.Paint(view);
  view.AttachHost(nullptr);
  // In memory: the caller writes the file as it writes every file.
  QBuffer png;
  png.open(QIODevice::WriteOnly);
  if (!host.Image().save(&png, "PNG")) return std::nullopt;
  return png.data().toStdString();
}
