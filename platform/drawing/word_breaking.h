// Where word-broken text is split into lines: only at spaces, and inside a
// word only when the word alone is wider than the line.  Unicode's line
// breaking (which Qt's layout follows) would also break after a hyphen, so
// "10-point" could end one line with "10-"; the game's rules never split it.
#pragma once

#include <QFontMetricsF>
#include <QString>

// `text` with a line separator (U+2028) at each line break; the spaces at a
// break are dropped, as they are never seen.  `text` may already hold line
// separators (forced breaks), which stay.
QString BreakAtSpaces(const QString& text, const QFontMetricsF& metrics, qreal lineWidth);
