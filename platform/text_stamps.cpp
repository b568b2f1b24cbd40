#include "platform/text_stamps.h"

#include <QHash>

TextStamps& TextStamps::Instance() {
  static TextStamps stamps;
  return stamps;
}

std::size_t TextStamps::Fingerprint(const QImage& image, const QRect& area) {
  std::size_t hash = 0;
  const qsizetype rowBytes = static_cast<qsizetype>(area.width()) * image.depth() / 8;
  const qsizetype offset = static_cast<qsizetype>(area.left()) * image.depth() / 8;
  for (int y = area.top(); y <= area.bottom(); ++y)
    hash = qHashBits(image.constScanLine(y) + offset, static_cast<std::size_t>(rowBytes), hash);
  return hash;
}

bool TextStamps::StillThere(const QImage& image, const TextStamp& stamp) const {
  if (stamp.area.isEmpty()) return false;
  // The newest drawing over this area decides: an older one of the same
  // text may have been drawn over since.
  for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
    if (it->pixels != image.constBits() || it->size != image.size()) continue;
    if (!it->stamp.area.intersects(stamp.area)) continue;
    return it->stamp == stamp && it->fingerprint == Fingerprint(image, stamp.area);
  }
  return false;
}

void TextStamps::Remember(const QImage& image, const TextStamp& stamp) {
  if (stamp.area.isEmpty()) return;
  if (m_entries.size() >= kCapacity) m_entries.pop_front();
  m_entries.push_back({image.constBits(), image.size(), stamp, Fingerprint(image, stamp.area)});
}
