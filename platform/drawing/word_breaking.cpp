#include "platform/drawing/word_breaking.h"

#include <QStringList>

namespace {

// How many characters of `text` from `start` fit in `lineWidth`, at least
// one (a line always takes something); never splits a surrogate pair.
qsizetype CharactersThatFit(const QString& text, qsizetype start, qsizetype end,
                            const QFontMetricsF& metrics, qreal lineWidth) {
  qsizetype fit = start;
  for (qsizetype next = start; next < end;) {
    qsizetype after = next + 1;
    if (text.at(next).isHighSurrogate() && after < end && text.at(after).isLowSurrogate()) ++after;
    if (fit > start && metrics.horizontalAdvance(text.mid(start, after - start)) > lineWidth) break;
    fit = after;
    next = after;
  }
  return fit;
}

void BreakParagraph(const QString& paragraph, const QFontMetricsF& metrics, qreal lineWidth,
                    QString* out) {
  const qsizetype size = paragraph.size();
  qsizetype lineStart = 0;
  bool firstLine = true;
  while (firstLine || lineStart < size) {
    if (!firstLine) out->append(QChar::LineSeparator);
    firstLine = false;
    // The longest run of whole words from lineStart that fits.
    qsizetype lineEnd = -1;
    for (qsizetype i = lineStart; i <= size; ++i) {
      const bool wordEnds =
          i == size || (paragraph.at(i) == u' ' && i > lineStart && paragraph.at(i - 1) != u' ');
      if (!wordEnds) continue;
      if (metrics.horizontalAdvance(paragraph.mid(lineStart, i - lineStart)) > lineWidth) break;
      lineEnd = i;
      if (i == size) break;
    }
    if (lineEnd < 0) {
      // The first word alone is too wide: it is broken where it overflows.
      qsizetype wordEnd = paragraph.indexOf(u' ', lineStart);
      if (wordEnd < 0) wordEnd = size;
      lineEnd = CharactersThatFit(paragraph, lineStart, wordEnd, metrics, lineWidth);
    }
    out->append(paragraph.mid(lineStart, lineEnd - lineStart));
    lineStart = lineEnd;
    // The spaces at the break belong to neither line.
    while (lineStart < size && paragraph.at(lineStart) == u' ') ++lineStart;
  }
}

}  // namespace

QString BreakAtSpaces(const QString& text, const QFontMetricsF& metrics, qreal lineWidth) {
  QString out;
  out.reserve(text.size() + text.size() / 16);
  const QStringList paragraphs = text.split(QChar::LineSeparator);
  for (qsizetype p = 0; p < paragraphs.size(); ++p) {
    if (p > 0) out.append(QChar::LineSeparator);
    BreakParagraph(paragraphs.at(p), metrics, lineWidth, &out);
  }
  return out;
}
