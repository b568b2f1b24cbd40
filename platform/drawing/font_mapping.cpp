#include "platform/drawing/font_mapping.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QString>
#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

// The cell height a font of height 0 gets on a 96-dpi screen; other devices
// scale it by their resolution, so a printer page gets the same physical size.
constexpr int kDefaultCellHeightAt96Dpi = 16;
// Beyond this no glyph fits on any page we print, and font engines slow down.
constexpr int kMaxPixelSize = 8192;
// The pixel size at which a face's cell-to-em ratio is measured.
constexpr int kReferencePixelSize = 100;

struct Face {
  QString family;
  bool bold = false;
};

// fontconfig resolves "Arial" to the Arial-metric family but "Arial Bold" to
// an unrelated regular face, so both names are mapped here by hand.
Face FaceFor(const std::string& faceName) {
  const QString name = QString::fromUtf8(faceName.data(), static_cast<qsizetype>(faceName.size()));
  const QString key = name.trimmed().toLower();
  if (key.isEmpty() || key == QLatin1String("arial")) return {QStringLiteral("Liberation Sans")};
  if (key == QLatin1String("arial bold")) return {QStringLiteral("Liberation Sans"), true};
  return {name};
}

int DpiOf(const QPaintDevice* device) {
  const int dpi = device ? device->logicalDpiY() : 96;
  return dpi > 0 ? dpi : 96;
}

int ClampPixelSize(long long size) {
  return static_cast<int>(std::clamp<long long>(size, 1, kMaxPixelSize));
}

int CellHeight(const QFont& font, int pixelSize, const QPaintDevice* device) {
  QFont sized(font);
  sized.setPixelSize(pixelSize);
  const QFontMetrics metrics(sized, device);
  return metrics.ascent() + metrics.descent();
}

// The pixel size whose ascent plus descent comes closest to `cellHeight`.
// The ratio measured at a reference size gives the first guess; rounding of
// the metrics at small sizes can move the best one a step either way.
int PixelSizeForCellHeight(const QFont& font, int cellHeight, const QPaintDevice* device) {
  const int referenceCell = CellHeight(font, kReferencePixelSize, device);
  if (referenceCell <= 0) return ClampPixelSize(cellHeight);
  int best = ClampPixelSize(
      (static_cast<long long>(cellHeight) * kReferencePixelSize + referenceCell / 2) /
      referenceCell);
  int bestError = std::abs(CellHeight(font, best, device) - cellHeight);
  for (const int step : {-1, 1}) {
    for (int candidate = best + step; bestError > 0 && candidate >= 1 &&
                                      candidate <= kMaxPixelSize && std::abs(candidate - best) <= 2;
         candidate += step) {
      const int error = std::abs(CellHeight(font, candidate, device) - cellHeight);
      if (error >= bestError) break;
      best = candidate;
      bestError = error;
    }
  }
  return best;
}

}  // namespace

QFont QFontFor(const LOGFONT& lf, const QPaintDevice* device) {
  const Face face = FaceFor(lf.lfFaceName);
  QFont font(face.family);
  font.setStyleHint(QFont::SansSerif, QFont::PreferAntialias);
  // Light hinting whatever the user's fontconfig says, so a screen looks the
  // same on every machine.
  font.setHintingPreference(QFont::PreferVerticalHinting);
  font.setWeight(face.bold || lf.lfWeight >= 600 ? QFont::Bold : QFont::Normal);
  font.setItalic(lf.lfItalic != 0);
  font.setUnderline(lf.lfUnderline != 0);
  font.setStrikeOut(lf.lfStrikeOut != 0);

  if (lf.lfHeight < 0) {
    // The em size itself; widened first so that INT_MIN cannot overflow.
    font.setPixelSize(ClampPixelSize(-static_cast<long long>(lf.lfHeight)));
    return font;
  }
  const int cellHeight =
      lf.lfHeight > 0 ? lf.lfHeight : kDefaultCellHeightAt96Dpi * DpiOf(device) / 96;
  font.setPixelSize(PixelSizeForCellHeight(font, std::max(cellHeight, 1), device));
  return font;
}
