#include "platform/drawing/painter_dc.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <vector>

#include "platform/drawing/font_mapping.h"
#include "platform/drawing/word_breaking.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kInvalidColor = 0xFFFFFFFF;
// Coordinates are kept well inside int range so that widths and heights of
// absurd rectangles cannot overflow; nothing we draw on is this large.
constexpr long long kCoordinateLimit = 1 << 24;

QColor ToQColor(COLORREF color) {
  return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

long long ClampCoordinate(long long v) {
  return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
}

// The box left..right-1 x top..bottom-1; empty when inverted.
QRect BoxOf(const RECT& r) {
  const long long left = ClampCoordinate(r.left);
  const long long top = ClampCoordinate(r.top);
  const long long right = ClampCoordinate(r.right);
  const long long bottom = ClampCoordinate(r.bottom);
  if (right <= left || bottom <= top) return {};
  return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
               static_cast<int>(bottom - top));
}

// The box text is placed in: like BoxOf, but an inverted box keeps its
// top-left corner (an unclipped text still shows there).
QRect LayoutBoxOf(const RECT& r) {
  const long long left = ClampCoordinate(r.left);
  const long long top = ClampCoordinate(r.top);
  const long long width = std::max(0LL, ClampCoordinate(r.right) - left);
  const long long height = std::max(0LL, ClampCoordinate(r.bottom) - top);
  return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(width),
               static_cast<int>(height));
}

// A font resolved for one device, with the integer metrics that text
// placement uses: a line box is ascent plus descent, without the external
// leading, which is the height font heights and vertical centring assume.
struct ResolvedFont {
  QFont font;
  QFontMetrics metrics;
  int ascent;
  int cellHeight;
};

struct FontCacheEntry {
  LOGFONT logFont;
  int dpiX;
  int dpiY;
  ResolvedFont resolved;
};

// A paragraph broken into lines for one font and box width, kept because
// the instructions are the same long text at every paint and breaking them
// costs more than all the rest of the screen.
struct WrappedText {
  QString text;
  QFont font;
  int dpiX = 0;
  int dpiY = 0;
  int boxWidth = 0;
  std::unique_ptr<QTextLayout> layout;
  int lineCount = 0;
};

// What text drawing keeps between paints.  The screen fonts are re-created
// with equal descriptions at every paint, and resolving one (several metric
// measurements) costs far more than a paint should, so resolved fonts are
// kept, the oldest dropped first; so is the last paragraph broken into lines.
class TextCache {
 public:
  static TextCache& Instance() {
    // Left alive on purpose and emptied when the application object goes,
    // because Qt fonts must not outlive it.
    static TextCache* cache = [] {
      auto* created = new TextCache;
      qAddPostRoutine([] {
        Instance().m_fonts.clear();
        Instance().m_wrapped = WrappedText{};
      });
      return created;
    }();
    return *cache;
  }

  // The reference stays valid until kCapacity more fonts have been resolved.
  const ResolvedFont& Font(const LOGFONT& lf, const QPaintDevice* device) {
    const int dpiX = device ? device->logicalDpiX() : 0;
    const int dpiY = device ? device->logicalDpiY() : 0;
    for (const FontCacheEntry& entry : m_fonts) {
      if (entry.dpiX == dpiX && entry.dpiY == dpiY && entry.logFont == lf) return entry.resolved;
    }
    if (m_fonts.size() >= kCapacity) m_fonts.pop_front();
    const QFont font = QFontFor(lf, device);
    const QFontMetrics metrics(font, device);
    m_fonts.push_back(
        {lf, dpiX, dpiY, {font, metrics, metrics.ascent(), metrics.ascent() + metrics.descent()}});
    return m_fonts.back().resolved;
  }

  WrappedText& LastWrapped() { return m_wrapped; }

 private:
  static constexpr std::size_t kCapacity = 48;
  std::deque<FontCacheEntry> m_fonts;
  WrappedText m_wrapped;
};

// Control characters have no glyph of their own; a name may hold a tab or a
// stray carriage return, and those are shown as spaces.  With `keepLineFeeds`
// a line feed (or CR LF, or a lone CR) becomes a forced line break.
QString PrintableText(std::string_view utf8, bool keepLineFeeds) {
  QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (keepLineFeeds && (c == u'\n' || c == u'\r')) {
      if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
      out.append(QChar::LineSeparator);
    } else if (c.category() == QChar::Other_Control) {
      out.append(u' ');
    } else {
      out.append(c);
    }
  }
  return out;
}

}  // namespace

struct PainterDC::State {
  explicit State(const DCState& shared)
      : bkMode(shared.bkMode), textColor(shared.textColor), pen(shared.pen), font(shared.font) {}

  std::unique_ptr<QPainter> ownedPainter;
  QPainter* painter = nullptr;
  bool active = false;
  // The surface's own state, kept by CDC.
  const int& bkMode;
  const COLORREF& textColor;
  CPen* const& pen;
  CFont* const& font;

  const QPaintDevice* Device() const { return painter->device(); }

  const ResolvedFont& Font() const {
    static const LOGFONT kDefaultFont{};
    const LOGFONT& lf = (font && font->GetSafeHandle()) ? font->logFont() : kDefaultFont;
    return TextCache::Instance().Font(lf, Device());
  }
  COLORREF PenColor() const { return (pen && pen->GetSafeHandle()) ? pen->color() : kBlack; }
  int PenWidth() const { return (pen && pen->GetSafeHandle()) ? std::max(pen->width(), 1) : 1; }

  void Fill(const QRect& box, COLORREF color) const {
    if (!box.isEmpty()) painter->fillRect(box, ToQColor(color));
  }
  void PlotLine(POINT from, POINT to) const;
  void StrokeWideLine(POINT from, POINT to) const;
  int DrawSingleLine(const QString& text, const QRect& box, UINT format) const;
  const WrappedText& Wrap(const QString& text, int boxWidth) const;
  int DrawWrapped(const QString& text, const QRect& box) const;
  int Measure(std::string_view text, bool wrapped, RECT* rect) const;
};

PainterDC::PainterDC(QPaintDevice* device) : m_state(std::make_unique<State>(SurfaceState())) {
  m_state->ownedPainter = std::make_unique<QPainter>();
  m_state->painter = m_state->ownedPainter.get();
  // A device without pixels (a null image) cannot be painted on; every call
  // is then a quiet no-op instead of a stream of Qt warnings.
  if (device && device->width() > 0 && device->height() > 0)
    m_state->active = m_state->painter->begin(device);
  if (m_state->active) {
    m_state->painter->setRenderHint(QPainter::Antialiasing, false);
    m_state->painter->setRenderHint(QPainter::TextAntialiasing, true);
  }
}

PainterDC::PainterDC(QPainter* painter) : m_state(std::make_unique<State>(SurfaceState())) {
  m_state->painter = painter;
  m_state->active = painter && painter->isActive();
  if (m_state->active) {
    // The caller's pen, font, hints and clip come back when we are done.
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setRenderHint(QPainter::TextAntialiasing, true);
  }
}

PainterDC::~PainterDC() {
  if (!m_state->active) return;
  if (m_state->ownedPainter)
    m_state->painter->end();
  else
    m_state->painter->restore();
}

QPainter* PainterDC::Painter() const { return m_state->painter; }

void PainterDC::FillRect(const RECT* rect, CBrush* brush) {
  if (!m_state->active || !rect) return;
  // No brush is ever selected, so the current brush is the default white.
  const COLORREF color = (brush && brush->GetSafeHandle()) ? brush->color() : kWhite;
  m_state->Fill(BoxOf(*rect), color);
}

BOOL PainterDC::LineTo(int x, int y) {
  const POINT from = AdvancePosition(x, y);
  if (!m_state->active) return TRUE;
  if (m_state->PenWidth() > 1)
    m_state->StrokeWideLine(from, {x, y});
  else
    m_state->PlotLine(from, {x, y});
  return TRUE;
}

// A one-pixel line from `from` up to but not including `to`.  The game draws
// only horizontal and vertical lines, as filled spans; anything else is
// left to Qt's own line, which is not pixel-exact.
void PainterDC::State::PlotLine(POINT from, POINT to) const {
  const long long x0 = ClampCoordinate(from.x), y0 = ClampCoordinate(from.y);
  const long long x1 = ClampCoordinate(to.x), y1 = ClampCoordinate(to.y);
  const long long dx = x1 - x0, dy = y1 - y0;
  if (dx == 0 && dy == 0) return;
  const COLORREF color = PenColor();
  if (dy == 0) {
    const long long left = dx > 0 ? x0 : x1 + 1;
    Fill(QRect(static_cast<int>(left), static_cast<int>(y0), static_cast<int>(std::llabs(dx)), 1),
         color);
  } else if (dx == 0) {
    const long long top = dy > 0 ? y0 : y1 + 1;
    Fill(QRect(static_cast<int>(x0), static_cast<int>(top), 1, static_cast<int>(std::llabs(dy))),
         color);
  } else {
    painter->setPen(QPen(ToQColor(color), 1));
    painter->drawLine(QPoint(static_cast<int>(x0), static_cast<int>(y0)),
                      QPoint(static_cast<int>(x1), static_cast<int>(y1)));
  }
}

// Wide pens only frame the certificate: a solid stroke of the pen's width
// centred on the path, with round ends so that the corners of a closed
// outline are filled in.
void PainterDC::State::StrokeWideLine(POINT from, POINT to) const {
  const QPoint a(static_cast<int>(ClampCoordinate(from.x)),
                 static_cast<int>(ClampCoordinate(from.y)));
  const QPoint b(static_cast<int>(ClampCoordinate(to.x)), static_cast<int>(ClampCoordinate(to.y)));
  painter->setPen(
      QPen(ToQColor(PenColor()), PenWidth(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter->drawLine(a, b);
}

BOOL PainterDC::Rectangle(const RECT* rect) {
  if (!m_state->active || !rect) return FALSE;
  RECT r = *rect;
  if (r.right < r.left) std::swap(r.left, r.right);
  if (r.bottom < r.top) std::swap(r.top, r.bottom);
  const QRect box = BoxOf(r);
  if (box.isEmpty()) return TRUE;
  m_state->Fill(box.adjusted(1, 1, -1, -1), kWhite);
  // Always one pixel wide, whatever the pen's width.
  const COLORREF color = m_state->PenColor();
  m_state->Fill(QRect(box.left(), box.top(), box.width(), 1), color);
  m_state->Fill(QRect(box.left(), box.bottom(), box.width(), 1), color);
  m_state->Fill(QRect(box.left(), box.top(), 1, box.height()), color);
  m_state->Fill(QRect(box.right(), box.top(), 1, box.height()), color);
  return TRUE;
}

COLORREF PainterDC::SetPixel(int x, int y, COLORREF color) {
  if (!m_state->active) return kInvalidColor;
  const QPaintDevice* device = m_state->Device();
  if (x < 0 || y < 0 || x >= device->width() || y >= device->height()) return kInvalidColor;
  m_state->Fill(QRect(x, y, 1, 1), color);
  return color;
}

CSize PainterDC::GetTextExtent(std::string_view text) {
  const ResolvedFont& font = m_state->Font();
  const QString printable = PrintableText(text, false);
  return {font.metrics.horizontalAdvance(printable), font.cellHeight};
}

int PainterDC::DrawText(std::string_view text, int count, RECT* rect, UINT format) {
  if (!rect) return 0;
  const std::string_view drawn = LeadingCharacters(text, count);
  if (drawn.empty()) return 0;
  const bool wrapped = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
  if (format & DT_CALCRECT) return m_state->active ? m_state->Measure(drawn, wrapped, rect) : 0;
  const RECT r = *rect;
  const QRect clipBox = BoxOf(r);
  const bool clipped = (format & DT_NOCLIP) == 0;
  // Nothing of a clipped text can show in an empty box.
  if (!m_state->active || (clipped && clipBox.isEmpty())) return 0;

  QPainter* painter = m_state->painter;
  painter->save();
  if (clipped) painter->setClipRect(clipBox, Qt::IntersectClip);
  const QRect layoutBox = LayoutBoxOf(r);
  const int height = wrapped
                         ? m_state->DrawWrapped(PrintableText(drawn, true), layoutBox)
                         : m_state->DrawSingleLine(PrintableText(drawn, false), layoutBox, format);
  painter->restore();
  return height;
}

// One line, placed in the box horizontally by DT_CENTER / DT_RIGHT and
// vertically by DT_VCENTER.  The returned height is the line box's height,
// measured from the box's top when the text is centred (callers stacking
// texts below one another rely on it).
int PainterDC::State::DrawSingleLine(const QString& text, const QRect& box, UINT format) const {
  const ResolvedFont& f = Font();
  const int textWidth = f.metrics.horizontalAdvance(text);
  int x = box.left();
  if (format & DT_CENTER)
    x = box.left() + (box.width() - textWidth) / 2;
  else if (format & DT_RIGHT)
    x = box.left() + box.width() - textWidth;
  int y = box.top();
  const bool singleLine = (format & DT_SINGLELINE) != 0;
  if (singleLine && (format & DT_VCENTER)) y = box.top() + (box.height() - f.cellHeight) / 2;
  const int height = y - box.top() + f.cellHeight;

  if (bkMode == OPAQUE) Fill(QRect(x, y, textWidth, f.cellHeight), kWhite);
  painter->setFont(f.font);
  painter->setPen(ToQColor(textColor));
  painter->drawText(QPoint(x, y + f.ascent), text);
  return height;
}

// Lines broken at spaces at the box's right edge and at every line break,
// one line box (ascent plus descent) apart, each line starting at the box's
// left edge.  A word wider than the box is broken where it overflows.
const WrappedText& PainterDC::State::Wrap(const QString& text, int boxWidth) const {
  const ResolvedFont& f = Font();
  const QPaintDevice* device = Device();
  WrappedText& wrapped = TextCache::Instance().LastWrapped();
  if (!wrapped.layout || wrapped.text != text || wrapped.font != f.font ||
      wrapped.dpiX != device->logicalDpiX() || wrapped.dpiY != device->logicalDpiY() ||
      wrapped.boxWidth != boxWidth) {
    wrapped = WrappedText{text,    f.font, device->logicalDpiX(), device->logicalDpiY(), boxWidth,
                          nullptr, 0};
    const int lineWidth = std::max(boxWidth, 1);
    wrapped.layout = std::make_unique<QTextLayout>(
        BreakAtSpaces(text, QFontMetricsF(f.font, device), lineWidth), f.font, device);
    QTextLayout& layout = *wrapped.layout;
    QTextOption option;
    // The lines are already broken, at spaces only.
    option.setWrapMode(QTextOption::ManualWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(lineWidth);
      // Lines sit one line box apart whatever Qt would space them by; x
      // and y are relative to the box's top-left corner.
      const int baseline = wrapped.lineCount * f.cellHeight + f.ascent;
      line.setPosition(QPointF(0, baseline - line.ascent()));
      ++wrapped.lineCount;
    }
    layout.endLayout();
  }
  return wrapped;
}

// The wrapped lines from the box's top.
int PainterDC::State::DrawWrapped(const QString& text, const QRect& box) const {
  const ResolvedFont& f = Font();
  const WrappedText& wrapped = Wrap(text, box.width());
  const QTextLayout& layout = *wrapped.layout;
  if (bkMode == OPAQUE) {
    for (int i = 0; i < layout.lineCount(); ++i) {
      const QTextLine line = layout.lineAt(i);
      Fill(QRect(box.left() + static_cast<int>(line.x()), box.top() + i * f.cellHeight,
                 static_cast<int>(line.naturalTextWidth()), f.cellHeight),
           kWhite);
    }
  }
  painter->setPen(ToQColor(textColor));
  layout.draw(painter, QPointF(box.left(), box.top()));
  return wrapped.lineCount * f.cellHeight;
}

// DT_CALCRECT: the text's lines as DrawText would lay them out, measured.
// A measurement before a drawing of the same text costs nothing more: the
// drawing uses the lines broken here.
int PainterDC::State::Measure(std::string_view text, bool wrapped, RECT* rect) const {
  const ResolvedFont& f = Font();
  int height = f.cellHeight;
  if (wrapped)
    height = Wrap(PrintableText(text, true), LayoutBoxOf(*rect).width()).lineCount * f.cellHeight;
  else
    rect->right = rect->left + f.metrics.horizontalAdvance(PrintableText(text, false));
  rect->bottom = rect->top + height;
  return height;
}

int PainterDC::StartPage() { return 1; }
int PainterDC::EndPage() { return 1; }
