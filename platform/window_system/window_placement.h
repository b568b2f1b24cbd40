// Where the main window goes on an X11 desktop, as arithmetic over what the X
// server and the window manager have said so far.  No Qt and no X calls: the
// caller gathers the facts, carries out the step, and asks again whenever a
// fact changes (a configure event, the frame extents, the window's state, the
// available area).  All figures are device pixels in root coordinates.
//
// What the window managers do, as met on Debian 12 (each under Xvfb):
//  - none: nothing frames or moves the window; it lies where it is mapped.
//  - openbox 3.6: answers _NET_REQUEST_FRAME_EXTENTS at once (1,1,20,1) and
//    puts the client exactly where it is asked (static gravity).
//  - xfwm4 4.18: answers the extents request (5,5,29,5), but marks a window
//    maximized when it maps one whose frame is as large as the available
//    area; a maximized window loses its borders (extents 0,0,24,0) and, being
//    of fixed size, keeps its old size, so it no longer fits.  A window mapped
//    a pixel short is left alone and can be grown afterwards.
//  - mutter 43: answers the extents request late (0.1 to 0.5 s after it) or
//    only when the window is mapped; answers a resize with a real configure
//    event only; ignores, without a word, a request whose frame would leave
//    the available area.
//  - openbox and xfwm4 under north-west gravity put the frame, not the
//    client, at the point asked for; the window is then off by the frame.
//  - Around a minimize (openbox from its caption button or window menu, or
//    any taskbar; xfwm4 alike; mutter without a shell minimizes no window
//    at all): the window manager marks the window hidden
//    (_NET_WM_STATE_HIDDEN, WM_STATE Iconic) and unmaps it; to restore it,
//    it marks it shown again, maps it, and reports its unchanged place in a
//    synthetic ConfigureNotify.  openbox then slides the frame back from
//    its icon below the screen for a moment and says nothing when the slide
//    ends: the X server's own reading of the window's place follows the
//    slide (from (673, 1300) with the frame at the screen's top left), and
//    only the window manager's report says where it stays.
#pragma once

#include <optional>

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The window manager's frame around the client area (_NET_FRAME_EXTENTS).
struct FrameExtents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
  friend bool operator==(const FrameExtents&, const FrameExtents&) = default;
};

struct PlacementFacts {
  // The part of the screen windows may cover (the work area, or the whole
  // screen where nobody says).
  PixelRect availableArea;
  bool windowManagerRuns = false;
  // The frame the window manager has announced; none before it has.
  std::optional<FrameExtents> frameExtents;
  // The window manager was asked for the frame and has not answered within
  // reason (or cannot answer the question at all).
  bool frameExtentsOverdue = false;
  bool mapped = false;
  // The window manager keeps the window minimized.
  bool minimized = false;
  // The client area as the X server last reported it.
  std::optional<PixelRect> client;
  // The client area as the window manager last reported it (a synthetic
  // ConfigureNotify), if it has since the window last changed of itself: it
  // holds over the server's reading, which follows any slide of the frame.
  std::optional<PixelRect> reported;
  // The window manager marks the window maximized.
  bool maximized = false;
  // A request (the map, or a later one) has not been answered yet.
  bool awaitingAnswer = false;
  // The client area last asked for, and how many requests were made since
  // the window last fitted (or the available area last changed).
  std::optional<PixelRect> lastRequest;
  int requestsSinceFit = 0;
};

struct PlacementStep {
  enum class Kind {
    kWait,     // nothing to do until the next fact arrives
    kMap,      // map the window with its client area at `client`
    kRequest,  // ask for the client area `client`
    kFits,     // the frame covers the available area exactly
    kGiveUp,   // the window manager keeps the window elsewhere: leave it
  };
  Kind kind = Kind::kWait;
  PixelRect client;
  // With kRequest: ask the window manager to drop its maximized state first.
  bool leaveMaximized = false;
  friend bool operator==(const PlacementStep&, const PlacementStep&) = default;
};

// Requests one window manager may refuse before the window is left alone.
inline constexpr int kMaxPlacementRequests = 3;

// The client area whose frame is exactly `area`.
PixelRect ClientAreaInside(const PixelRect& area, const FrameExtents& frame);

// The window manager minimized the window, or gave it back.  Where a
// minimized window lay says nothing; one given back is placed afresh, with
// the full count of requests.
void SetMinimized(PlacementFacts& facts, bool minimized);

PlacementStep NextPlacementStep(const PlacementFacts& facts);
