#include "platform/window_system/x11_window_placer.h"

#include <QCoreApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/window_system/x11_properties.h"

namespace {
// A window manager answers the question about its frame within a few
// milliseconds (mutter, busy starting up, took half a second); one that has
// not answered after this long is not waited for any more.
constexpr int kFrameExtentsBoundMs = 1000;
// The first frame is painted after this long even if the window manager
// has not placed the window yet (one that never answers a request).
constexpr int kFirstFrameBoundMs = 1000;

int ToDevice(int logical, qreal ratio) { return static_cast<int>(std::lround(logical * ratio)); }
// Qt places windows in whole logical pixels: at a ratio other than 1 a
// device figure may fall between two, and a size is then rounded down, so
// that the frame never reaches past the available area.
int ToLogical(int device, qreal ratio) { return static_cast<int>(std::lround(device / ratio)); }
int SizeToLogical(int device, qreal ratio) {
  return static_cast<int>(std::floor(device / ratio + 1e-9));
}
}  // namespace

X11WindowPlacer::X11WindowPlacer(QWidget* window) : QObject(window), m_window(window) {
  m_frameExtentsDeadline.setSingleShot(true);
  m_frameExtentsDeadline.setInterval(kFrameExtentsBoundMs);
  connect(&m_frameExtentsDeadline, &QTimer::timeout, this, [this] {
    m_facts.frameExtentsOverdue = true;
    ScheduleStep();
  });
  m_firstFrameDeadline.setSingleShot(true);
  m_firstFrameDeadline.setInterval(kFirstFrameBoundMs);
  connect(&m_firstFrameDeadline, &QTimer::timeout, this, &X11WindowPlacer::PaintFromNowOn);
  QCoreApplication::instance()->installNativeEventFilter(this);
}

std::uint32_t X11WindowPlacer::Window() const {
  return static_cast<std::uint32_t>(m_window->internalWinId());
}

void X11WindowPlacer::Show() {
  m_window->winId();
  m_showRequested = true;
  // Nothing is painted until the window is in place.
  m_painting = false;
  m_window->setUpdatesEnabled(false);
  const xcb_atom_t request = X11Atom("_NET_REQUEST_FRAME_EXTENTS");
  if (X11WindowManagerRuns() && X11WindowManagerSupports(request)) {
    // The window manager announces the frame it will draw around the
    // window in _NET_FRAME_EXTENTS, before the window is mapped.
    SendToWindowManager(Window(), request);
    m_frameExtentsDeadline.start();
  } else {
    m_facts.frameExtentsOverdue = true;
  }
  ScheduleStep();
}

void X11WindowPlacer::Recheck() { ScheduleStep(); }

bool X11WindowPlacer::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (!m_showRequested || eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  switch (event->response_type & 0x7f) {
    case XCB_MAP_NOTIFY:
      if (reinterpret_cast<const xcb_map_notify_event_t*>(event)->window == Window()) {
        m_facts.mapped = true;
        m_facts.awaitingAnswer = false;
        ScheduleStep();
      }
      break;
    case XCB_CONFIGURE_NOTIFY: {
      // The window manager's answer to a request, or a change of its own.
      const auto* configure = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
      if (configure->window == Window()) {
        if (m_facts.mapped) m_facts.awaitingAnswer = false;
        // A synthetic one is the window manager's report of the place, in
        // root coordinates (ICCCM 4.1.5); a real one, the window changing.
        if (event->response_type & 0x80)
          m_facts.reported =
              PixelRect{configure->x, configure->y, configure->width, configure->height};
        else
          m_facts.reported.reset();
        ScheduleStep();
      }
      break;
    }
    case XCB_UNMAP_NOTIFY:
      if (reinterpret_cast<const xcb_unmap_notify_event_t*>(event)->window == Window())
        ScheduleStep();
      break;
    case XCB_REPARENT_NOTIFY:
      if (reinterpret_cast<const xcb_reparent_notify_event_t*>(event)->window == Window())
        ScheduleStep();
      break;
    case XCB_PROPERTY_NOTIFY: {
      const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
      if (notify->window == Window() &&
          (notify->atom == X11Atom("_NET_FRAME_EXTENTS") ||
           notify->atom == X11Atom("_NET_WM_STATE") || notify->atom == X11Atom("WM_STATE")))
        ScheduleStep();
      if (notify->window == X11RootWindow() &&
          (notify->atom == X11Atom("_NET_WORKAREA") ||
           notify->atom == X11Atom("_NET_SUPPORTING_WM_CHECK")))
        ScheduleStep();
      break;
    }
    default:
      break;
  }
  return false;
}

// A burst of events (a window manager answers one request with several)
// leads to one step, taken once Qt has handled them all.
void X11WindowPlacer::ScheduleStep() {
  if (m_stepScheduled) return;
  m_stepScheduled = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        m_stepScheduled = false;
        TakeStep();
      },
      Qt::QueuedConnection);
}

void X11WindowPlacer::ReadFacts() {
  const qreal ratio = m_window->devicePixelRatioF();
  PixelRect area = m_facts.availableArea;
  if (QScreen* screen = m_window->screen()) {
    const QRect logical = screen->availableGeometry();
    area = {ToDevice(logical.x(), ratio), ToDevice(logical.y(), ratio),
            ToDevice(logical.width(), ratio), ToDevice(logical.height(), ratio)};
  }
  if (area != m_facts.availableArea) {
    m_facts.availableArea = area;
    m_facts.requestsSinceFit = 0;
    m_facts.lastRequest.reset();
  }
  m_facts.windowManagerRuns = X11WindowManagerRuns();
  if (!m_facts.windowManagerRuns) {
    m_facts.frameExtents = FrameExtents{};
  } else {
    m_facts.frameExtents = X11FrameExtents(Window());
    if (m_facts.frameExtents) m_frameExtentsDeadline.stop();
  }
  const std::vector<std::uint32_t> state = ReadX11Property(Window(), X11Atom("_NET_WM_STATE"));
  const auto stateHas = [&state](xcb_atom_t atom) {
    return std::find(state.begin(), state.end(), atom) != state.end();
  };
  m_facts.maximized = stateHas(X11Atom("_NET_WM_STATE_MAXIMIZED_HORZ")) ||
                      stateHas(X11Atom("_NET_WM_STATE_MAXIMIZED_VERT"));
  constexpr std::uint32_t kIconicState = 3;
  const std::vector<std::uint32_t> iccState = ReadX11Property(Window(), X11Atom("WM_STATE"));
  SetMinimized(m_facts, stateHas(X11Atom("_NET_WM_STATE_HIDDEN")) ||
                            (!iccState.empty() && iccState[0] == kIconicState));
  m_facts.client.reset();
  if (m_facts.mapped && !m_facts.minimized) m_facts.client = X11ClientGeometry(Window());
}

void X11WindowPlacer::TakeStep() {
  ReadFacts();
  const PlacementStep step = NextPlacementStep(m_facts);
  switch (step.kind) {
    case PlacementStep::Kind::kWait:
      break;
    case PlacementStep::Kind::kMap:
      Ask(step.client);
      m_facts.awaitingAnswer = true;
      m_firstFrameDeadline.start();
      m_window->show();
      // With no window manager nobody hands the new window the keyboard:
      // it takes it itself, so the keys work from the first one.
      if (!m_facts.windowManagerRuns) m_window->activateWindow();
      break;
    case PlacementStep::Kind::kRequest:
      ++m_facts.requestsSinceFit;
      m_facts.lastRequest = step.client;
      if (step.leaveMaximized) LeaveMaximizedState();
      Ask(step.client);
      m_facts.awaitingAnswer = true;
      break;
    case PlacementStep::Kind::kFits:
      m_facts.requestsSinceFit = 0;
      m_facts.lastRequest.reset();
      PaintFromNowOn();
      break;
    case PlacementStep::Kind::kGiveUp:
      PaintFromNowOn();
      break;
  }
}

// One request for place and size together.  The fixed size is first
// loosened to take in both the old and the new size (so that changing it
// asks for no resize of its own), and fixed again afterwards: the window
// manager offers no resize, and openbox no maximize, for a window of fixed
// size.
void X11WindowPlacer::Ask(const PixelRect& client) {
  const qreal ratio = m_window->devicePixelRatioF();
  const QRect logical(ToLogical(client.x, ratio), ToLogical(client.y, ratio),
                      SizeToLogical(client.width, ratio), SizeToLogical(client.height, ratio));
  const QSize current = m_window->size();
  m_window->setMinimumSize(current.boundedTo(logical.size()));
  m_window->setMaximumSize(current.expandedTo(logical.size()));
  if (m_window->geometry() == logical && m_window->isVisible()) {
    // Qt believes the window is there already and would ask nothing.
    const std::uint32_t values[] = {static_cast<std::uint32_t>(ToDevice(logical.x(), ratio)),
                                    static_cast<std::uint32_t>(ToDevice(logical.y(), ratio)),
                                    static_cast<std::uint32_t>(ToDevice(logical.width(), ratio)),
                                    static_cast<std::uint32_t>(ToDevice(logical.height(), ratio))};
    xcb_configure_window(X11Connection(), Window(),
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                             XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    xcb_flush(X11Connection());
  } else {
    m_window->setGeometry(logical);
  }
  m_window->setFixedSize(logical.size());
}

void X11WindowPlacer::LeaveMaximizedState() {
  constexpr std::uint32_t kRemove = 0;
  constexpr std::uint32_t kFromAnApplication = 1;
  SendToWindowManager(Window(), X11Atom("_NET_WM_STATE"),
                      {kRemove, X11Atom("_NET_WM_STATE_MAXIMIZED_HORZ"),
                       X11Atom("_NET_WM_STATE_MAXIMIZED_VERT"), kFromAnApplication, 0});
}

void X11WindowPlacer::PaintFromNowOn() {
  m_firstFrameDeadline.stop();
  if (m_painting) return;
  m_painting = true;
  m_window->setUpdatesEnabled(true);
}
