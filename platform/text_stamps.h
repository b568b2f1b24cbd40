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
#include <deque>

#include "platform/gdi_objects.h"

struct TextStamp {
  QString text;
  LOGFONT font;
  int dpiY = 0;
  COLORREF color = 0;
  QPoint position;  // the line box's top-left corner
  QRect area;       // every pixel the text can touch, inside the image and the clip
  // The fields that differ most often and cost least are compared first.
  bool operator==(const TextStamp& other) const {
    return position == other.position && area == other.area && color == other.color &&
           dpiY == other.dpiY && text == other.text && font == other.font;
  }
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
    const uchar* image;
    QSize size;
    TextStamp stamp;
    QImage pixels;  // what the text left in its area
  };
  // Whether `image` holds `pixels` over `area`; a changed area (the usual
  // case after an erase) is told at its first differing row.
  static bool Unchanged(const QImage& image, const QRect& area, const QImage& pixels);
  // Enough for every text of the score table and the labels around it.
  static constexpr std::size_t kCapacity = 64;
  std::deque<Entry> m_entries;
};
