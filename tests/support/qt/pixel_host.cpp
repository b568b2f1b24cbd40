#include "support/qt/pixel_host.h"

#include <algorithm>

#include "game/MyKelvoView.h"
#include "platform/drawing/painter_dc.h"

void ImageCanvas::Reset(int width, int height) {
  m_image = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  m_image.fill(Qt::white);
}

std::unique_ptr<CDC> ImageCanvas::Open() { return std::make_unique<PainterDC>(&m_image); }

const QImage& PixelHost::ImageOf(const HeadlessHost& host) {
  return static_cast<const ImageCanvas&>(*host.Canvas()).Image();
}

std::vector<QImage> HeadingPixels(const QImage& screen, const CMyKelvoView& view) {
  std::vector<RECT> boxes(view.m_rcColumnLabel + 1, view.m_rcColumnLabel + kTotalSlot + 1);
  boxes.insert(boxes.end(), {view.m_rcOverallLabel, view.m_rcScoreHeader, view.m_rcBonusCell[1]});
  std::vector<QImage> pixels;
  for (const RECT& b : boxes)
    pixels.push_back(screen.copy(QRect(b.left, b.top, b.right - b.left, b.bottom - b.top)));
  return pixels;
}

int ChangedPixels(const std::vector<QImage>& now, const std::vector<QImage>& before) {
  if (now.size() != before.size()) return -1;
  int changed = 0;
  for (std::size_t i = 0; i < now.size(); ++i) {
    if (now[i].size() != before[i].size()) return -1;
    for (int y = 0; y < now[i].height(); ++y)
      for (int x = 0; x < now[i].width(); ++x)
        changed += now[i].pixel(x, y) != before[i].pixel(x, y);
  }
  return changed;
}
