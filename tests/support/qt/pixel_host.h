// Headless hosts that draw real pixels, with the platform's own drawing
// surface, into an image of the client area; and readings of that image.
#pragma once

#include <QImage>
#include <memory>
#include <vector>

#include "support/headless_host.h"

class CMyKelvoView;

// The client area as an image; at least one pixel, so a painter can always
// open on it, whatever the client size.
class ImageCanvas : public PixelCanvas {
 public:
  void Reset(int width, int height) override;
  void Erase() override { m_image.fill(Qt::white); }
  std::unique_ptr<CDC> Open() override;
  const QImage& Image() const { return m_image; }

 private:
  QImage m_image;
};

class PixelHost : public HeadlessHost {
 public:
  PixelHost(int width, int height, Options options = {})
      : HeadlessHost(width, height, options, std::make_unique<ImageCanvas>()) {}
  const QImage& Image() const { return ImageOf(*this); }
  // The image a host with an ImageCanvas has drawn.
  static const QImage& ImageOf(const HeadlessHost& host);
};

// What `screen` shows in each box of the score table's headings ("Round 1"
// to "Total", "Overall", "Score", "Bonus"), in that order; a box's part off
// the screen reads as black.
std::vector<QImage> HeadingPixels(const QImage& screen, const CMyKelvoView& view);
// How many pixels differ between two such readings of the same boxes.
int ChangedPixels(const std::vector<QImage>& now, const std::vector<QImage>& before);
