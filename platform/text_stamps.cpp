#include "platform/text_stamps.h"

#include <cstring>

TextStamps& TextStamps::Instance() {
  static TextStamps stamps;
  return stamps;
}

bool TextStamps::Unchanged(const QImage& image, const QRect& area, const QImage& pixels) {
  if (pixels.size() != area.size() || pixels.format() != image.format()) return false;
  const std::size_t rowBytes = static_cast<std::size_t>(area.width()) * image.depth() / 8;
  const std::size_t offset = static_cast<std::size_t>(area.left()) * image.depth() / 8;
  for (int row = 0; row < area.height(); ++row) {
    if (std::memcmp(image.constScanLine(area.top() + row) + offset, pixels.constScanLine(row),
                    rowBytes) != 0)
      return false;
  }
  return true;
}

bool TextStamps::StillThere(const QImage& image, const TextStamp& stamp) const {
  if (stamp.area.isEmpty()) return false;
  for (const Entry& entry : m_entries) {
    if (entry.image == image.constBits() && entry.size == image.size() && entry.stamp == stamp)
      return Unchanged(image, stamp.area, entry.pixels);
  }
  return false;
}

void TextStamps::Remember(const QImage& image, const TextStamp& stamp) {
  if (stamp.area.isEmpty()) return;
  std::erase_if(m_entries, [&](const Entry& entry) {
    return entry.image == image.constBits() && entry.stamp == stamp;
  });
  if (m_entries.size() >= kCapacity) m_entries.pop_front();
  m_entries.push_back({image.constBits(), image.size(), stamp, image.copy(stamp.area)});
}
