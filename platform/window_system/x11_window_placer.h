// Shows a top-level window on X11 with its frame exactly over the available
// area of its screen, from the first frame it paints, and keeps it there.
//
// It gathers the facts the placement arithmetic (window_placement.h) needs
// from the X server as they arrive (the frame extents the window manager
// announces, configure and map events and the window manager's reports of
// the window's place, the window's state, the work area),
// carries out each step, and asks again.  The frame is asked for before the
// window is mapped (_NET_REQUEST_FRAME_EXTENTS); until the window fits (or
// the window manager refuses), nothing is painted, so the first frame the
// player sees is already in place.  Two bounds keep a silent window manager
// from holding the game up: one on the answer about the frame, one on the
// first frame.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QTimer>
#include <cstdint>

#include "platform/window_system/window_placement.h"

class QWidget;

class X11WindowPlacer : public QObject, public QAbstractNativeEventFilter {
 public:
  explicit X11WindowPlacer(QWidget* window);
  // Maps the window once its place is known.
  void Show();
  // Something outside the X events changed (the screen, its available area).
  void Recheck();

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  std::uint32_t Window() const;
  void ScheduleStep();
  void TakeStep();
  void ReadFacts();
  void Ask(const PixelRect& client);
  void LeaveMaximizedState();
  void PaintFromNowOn();

  QWidget* m_window;
  PlacementFacts m_facts;
  bool m_showRequested = false;
  bool m_stepScheduled = false;
  bool m_painting = true;
  QTimer m_frameExtentsDeadline;
  QTimer m_firstFrameDeadline;
};
