// The Qt widget that shows a view: it keeps a retained image of the client
// area, paints it by calling the view's OnDraw when the window is shown,
// resized or invalidated, lets handlers draw on it between paints, and turns
// Qt's key, mouse and timer events into the view's handlers.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "platform/accessibility/view_accessibility.h"
#include "platform/interface/view.h"
#include "platform/interface/view_host.h"
#include "platform/qt/qt_timer_service.h"

class ViewWidget : public QWidget, public IViewHost {
 public:
  ViewWidget(CView* view, QWidget* parent);
  ~ViewWidget() override;

  // Called after every event the view has handled, so enable rules can be
  // asked again.
  void SetAfterEvent(std::function<void()> afterEvent) { m_afterEvent = std::move(afterEvent); }
  // Where SetCaption goes (the main window's title).
  void SetCaptionSink(std::function<void(const std::string&)> sink) {
    m_captionSink = std::move(sink);
  }
  // Called once, right after the first frame has been painted on screen
  // (the start-up benchmark listens for it).
  void SetFirstFrameHook(std::function<void()> hook) { m_firstFrameHook = std::move(hook); }
  // The client area in device pixels, as the game draws it (ratio 1).
  const QImage& Image() const { return m_image; }
  QtTimerService& QtTimers() { return m_timers; }

  // IViewHost
  RECT ClientRect() const override;
  std::unique_ptr<CDC> OpenClientDC() override;
  void CloseClientDC(std::unique_ptr<CDC> dc) override;
  ITimerService& Timers() override { return m_timers; }
  void SetCaption(const std::string& text) override;
  void Invalidate() override;
  // A move to a screen with another scale changes the device size alone.
  bool PaintPending() const override { return m_needsPaint || m_image.size() != DeviceSize(); }
  void PaintNow() override { RepaintImage(); }
  void Announce(const std::string& text) override { m_accessibility.Announce(text); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QSize DeviceSize() const;
  CPoint ClientPoint(const QMouseEvent* event) const;
  void RepaintImage();
  const QImage& ShownImage();
  void AfterEvent();

  CView* m_view;
  QImage m_image;
  QImage m_shownImage;  // m_image's pixels at the screen's device pixel ratio
  QtTimerService m_timers;
  bool m_needsPaint = true;
  std::function<void()> m_afterEvent;
  std::function<void(const std::string&)> m_captionSink;
  std::function<void()> m_firstFrameHook;
  // What the view shows, for a screen reader.
  ViewAccessibility m_accessibility{
      this, [this](AccessibleNode& root) { m_view->DescribeForAccessibility(root); }};
};
