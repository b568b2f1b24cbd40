#include "platform/qt/view_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "platform/drawing/painter_dc.h"
#include "platform/qt/key_mapping.h"

namespace {
UINT MouseFlags(const QMouseEvent* event) {
  UINT flags = 0;
  if (event->buttons() & Qt::LeftButton) flags |= MK_LBUTTON;
  if (event->buttons() & Qt::RightButton) flags |= MK_RBUTTON;
  if (event->modifiers() & Qt::ShiftModifier) flags |= MK_SHIFT;
  if (event->modifiers() & Qt::ControlModifier) flags |= MK_CONTROL;
  return flags;
}
}  // namespace

ViewWidget::ViewWidget(CView* view, QWidget* parent) : QWidget(parent), m_view(view) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAutoFillBackground(false);
  m_view->AttachHost(this);
  m_timers.SetSink([this](UINT_PTR id) {
    m_view->OnTimer(id);
    AfterEvent();
  });
}

ViewWidget::~ViewWidget() { m_view->AttachHost(nullptr); }

// The client area is measured in device pixels: the layout scales with the
// window's height, so at 200% it simply lays out a twice-as-large screen and
// every line and glyph lands on a real pixel.
QSize ViewWidget::DeviceSize() const {
  const qreal ratio = devicePixelRatioF();
  return {std::max(static_cast<int>(std::lround(width() * ratio)), 1),
          std::max(static_cast<int>(std::lround(height() * ratio)), 1)};
}

RECT ViewWidget::ClientRect() const {
  const QSize size = DeviceSize();
  return {0, 0, size.width(), size.height()};
}

CPoint ViewWidget::ClientPoint(const QMouseEvent* event) const {
  const QPointF p = event->position() * devicePixelRatioF();
  return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

std::unique_ptr<CDC> ViewWidget::OpenClientDC() { return std::make_unique<PainterDC>(&m_image); }

void ViewWidget::CloseClientDC(std::unique_ptr<CDC> dc) {
  dc.reset();
  m_accessibility.Refresh();
  // Show the handler's drawing now: the handler may block the thread
  // afterwards (a sound played to its end), and the player should see the
  // screen first.
  repaint();
}

void ViewWidget::SetCaption(const std::string& text) {
  if (m_captionSink) m_captionSink(text);
}

void ViewWidget::Invalidate() {
  m_needsPaint = true;
  update();
}

void ViewWidget::RepaintImage() {
  const QSize size = DeviceSize();
  if (m_image.size() != size) {
    m_shownImage = QImage();
    m_image = QImage(size, QImage::Format_RGB32);
  }
  // The background is erased to the window colour, white, before each paint.
  m_image.fill(Qt::white);
  m_needsPaint = false;
  PainterDC dc(&m_image);
  m_view->OnDraw(&dc);
  m_accessibility.Refresh();
}

// The same pixels as m_image, marked with the screen's ratio, so that Qt puts
// them on the screen 1:1 instead of scaling them up; the game draws on
// m_image, which keeps ratio 1 and so device-pixel coordinates.  bits()
// first gives m_image a buffer of its own if a copy of it still shares one.
const QImage& ViewWidget::ShownImage() {
  uchar* pixels = m_image.bits();
  if (m_shownImage.constBits() != pixels || m_shownImage.size() != m_image.size())
    m_shownImage =
        QImage(pixels, m_image.width(), m_image.height(), m_image.bytesPerLine(), m_image.format());
  m_shownImage.setDevicePixelRatio(devicePixelRatioF());
  return m_shownImage;
}

void ViewWidget::paintEvent(QPaintEvent* event) {
  if (PaintPending()) RepaintImage();
  QPainter painter(this);
  painter.setClipRegion(event->region());
  painter.drawImage(QPointF(0, 0), ShownImage());
  if (m_firstFrameHook) {
    auto hook = std::move(m_firstFrameHook);
    m_firstFrameHook = nullptr;
    hook();
  }
}

void ViewWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_needsPaint = true;
}

void ViewWidget::keyPressEvent(QKeyEvent* event) {
  const UINT vk = ViewKeyFromQt(event->key(), event->modifiers());
  if (vk == 0) {
    // Not the game's: passed on unhandled, to the window and the desktop.
    QWidget::keyPressEvent(event);
    return;
  }
  // Each auto-repeated press arrives as a press of its own.
  m_view->OnKeyDown(vk, 1, 0);
  AfterEvent();
}

void ViewWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton)
    m_view->OnLButtonDown(MouseFlags(event), ClientPoint(event));
  if (event->button() == Qt::RightButton)
    m_view->OnRButtonDown(MouseFlags(event), ClientPoint(event));
  AfterEvent();
}

void ViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  // A second press of a double click is still a press.
  mousePressEvent(event);
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  // The mouse is not captured: a release away from the view is not the
  // view's, even though Qt sends it here.
  if (!rect().contains(event->position().toPoint())) return;
  m_view->OnLButtonUp(MouseFlags(event), ClientPoint(event));
  AfterEvent();
}

bool ViewWidget::focusNextPrevChild(bool) {
  // Tab belongs to the view; there is nothing else to move the focus to.
  return false;
}

void ViewWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  // Qt tells a screen reader of the widget's focus after this event: what
  // the view has to say with it (its help) is in place by then.  The part
  // the keys act on takes the focus from there.
  m_view->OnSetFocus();
  m_accessibility.Refresh();
  QTimer::singleShot(0, this, [this] { m_accessibility.FocusPart(); });
}

void ViewWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  m_view->OnKillFocus();
  m_accessibility.Refresh();
}

void ViewWidget::AfterEvent() {
  m_accessibility.Refresh();
  if (m_afterEvent) m_afterEvent();
}
