#include "platform/window_system/caption_bar.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace {
QFont CaptionFont(const QFont& base) {
  QFont font(base);
  font.setBold(true);
  return font;
}
}  // namespace

CaptionBar::CaptionBar(QWidget* window) : QWidget(window), m_window(window) {
  setFont(CaptionFont(window->font()));
  setContextMenuPolicy(Qt::PreventContextMenu);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The window's layout keeps its menu bar and contents below the strip.
  const int height = fontMetrics().height() * 2;
  setFixedHeight(height);
  QMargins margins = window->contentsMargins();
  margins.setTop(margins.top() + height);
  window->setContentsMargins(margins);
  window->installEventFilter(this);
  FitToWindow();
  show();
}

void CaptionBar::FitToWindow() { setGeometry(0, 0, m_window->width(), height()); }

bool CaptionBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_window) {
    switch (event->type()) {
      case QEvent::Resize:
        FitToWindow();
        break;
      case QEvent::WindowTitleChange:
      case QEvent::ActivationChange:
        update();
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void CaptionBar::paintEvent(QPaintEvent*) {
  const QPalette::ColorGroup group =
      m_window->isActiveWindow() ? QPalette::Active : QPalette::Inactive;
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(group, QPalette::Highlight));
  painter.setPen(palette().color(group, QPalette::HighlightedText));
  const int margin = fontMetrics().averageCharWidth();
  const QRect textBox = rect().adjusted(margin, 0, -margin, 0);
  // The clock and version sit at the end of the title, so a title wider than
  // the window loses its middle, not its end.
  const QString title =
      fontMetrics().elidedText(m_window->windowTitle(), Qt::ElideMiddle, textBox.width());
  painter.drawText(textBox, Qt::AlignCenter | Qt::TextSingleLine, title);
}

void CaptionBar::mousePressEvent(QMouseEvent* event) { event->accept(); }

void CaptionBar::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }
