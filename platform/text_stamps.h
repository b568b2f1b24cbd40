// Antialiased text drawn on a transparent background blends its edge pixels
// with what lies under them; drawn again on the same spot it blends with its
// own earlier edges, and it turns bolder and smudged each time.  The game
// draws some texts again over themselves without an erase (the score table's
// headings, at every score), so the drawing layer remembers the last texts
// it drew on each image, with a fingerprint of the pixels they left.  The
// same text, font, colour and place drawn on an image whose pixels there are
// still exactly those is already on screen as one drawing leaves it, and is
// not drawn again.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstddef>
#include <deque>

#include "platform/gdi_objects.h"

struct TextStamp {
  QString text;
  LOGFONT font;
  int dpiY = 0;
  COLORREF color = 0;
  QPoint baselineOrigin;
  QRect area;  // every pixel the text can touch, inside the image and the clip
  bool operator==(const TextStamp&) const = default;
};

class TextStamps {
 public:
  static TextStamps& Instance();
  // True when `stamp` was the last text drawn on `image` over its area and
  // the pixels there have not changed since.
  bool StillThere(const QImage& image, const TextStamp& stamp) const;
  // Notes that `stamp` has just been drawn on `image`.
  void Remember(const QImage& image, const TextStamp& stamp);

 private:
  struct Entry {
    const uchar* pixels;
    QSize size;
    TextStamp stamp;
    std::size_t fingerprint;
  };
  static std::size_t Fingerprint(const QImage& image, const QRect& area);
  // Enough for every text of the score table and the labels around it.
  static constexpr std::size_t kCapacity = 64;
  std::deque<Entry> m_entries;
};
