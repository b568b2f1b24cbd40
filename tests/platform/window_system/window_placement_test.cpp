// The placement arithmetic driven against the window managers' behaviours as
// they were observed (see platform/window_placement.h): each simulated
// window manager answers the steps the way the real one did.
#include "platform/window_system/window_placement.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

// Rectangles in failure messages as figures, not bytes.
void PrintTo(const PixelRect& r, std::ostream* out) {
  *out << '(' << r.x << ", " << r.y << ") " << r.width << " x " << r.height;
}

namespace {

using Kind = PlacementStep::Kind;
constexpr PixelRect kScreen{0, 0, 1280, 800};

struct SimulatedWindowManager {
  bool runs = true;
  // Its answer to _NET_REQUEST_FRAME_EXTENTS before the window is mapped;
  // none: it does not answer before the map.
  std::optional<FrameExtents> answerBeforeMap;
  FrameExtents frame;
  // xfwm4: a window mapped with a frame as large as the area is marked
  // maximized, loses its borders and keeps its size.
  bool maximizesAFullSizedMap = false;
  FrameExtents maximizedFrame;
  // The frame, not the client, goes to the point asked for.
  bool placesTheFrameAtTheRequest = false;
  bool ignoresRequests = false;
};

struct Placement {
  std::vector<PlacementStep> steps;
  std::vector<PixelRect> clientsWhileMapped;
  PlacementFacts facts;
  int requests() const {
    int n = 0;
    for (const PlacementStep& s : steps) n += s.kind == Kind::kRequest;
    return n;
  }
};

// Plays the placement against `wm` until it fits or gives up (or 10 steps).
Placement Place(const SimulatedWindowManager& wm, PixelRect area = kScreen) {
  Placement run;
  PlacementFacts& f = run.facts;
  f.availableArea = area;
  f.windowManagerRuns = wm.runs;
  f.frameExtents = wm.runs ? wm.answerBeforeMap : FrameExtents{};
  f.frameExtentsOverdue = wm.runs && !wm.answerBeforeMap;
  auto placed = [&](PixelRect ask) {
    if (wm.placesTheFrameAtTheRequest) {
      ask.x += f.frameExtents->left;
      ask.y += f.frameExtents->top;
    }
    return ask;
  };
  for (int i = 0; i < 10; ++i) {
    const PlacementStep step = NextPlacementStep(f);
    run.steps.push_back(step);
    switch (step.kind) {
      case Kind::kMap: {
        f.mapped = true;
        if (!wm.runs) {
          f.client = step.client;
          break;
        }
        const PixelRect frameAsMapped{step.client.x - wm.frame.left, step.client.y - wm.frame.top,
                                      step.client.width + wm.frame.left + wm.frame.right,
                                      step.client.height + wm.frame.top + wm.frame.bottom};
        f.frameExtents = wm.frame;
        if (wm.maximizesAFullSizedMap && frameAsMapped.width >= area.width &&
            frameAsMapped.height >= area.height) {
          f.maximized = true;
          f.frameExtents = wm.maximizedFrame;
        }
        f.client = placed(step.client);
        break;
      }
      case Kind::kRequest:
        ++f.requestsSinceFit;
        f.lastRequest = step.client;
        if (wm.ignoresRequests) break;
        if (step.leaveMaximized) {
          f.maximized = false;
          f.frameExtents = wm.frame;
        }
        f.client = placed(step.client);
        break;
      case Kind::kWait:
        return run;
      case Kind::kFits:
      case Kind::kGiveUp:
        return run;
    }
    if (f.mapped) run.clientsWhileMapped.push_back(*f.client);
  }
  return run;
}

// A window manager that answers the question about its frame before the map.
SimulatedWindowManager Answering(const FrameExtents& frame) {
  SimulatedWindowManager wm;
  wm.answerBeforeMap = frame;
  wm.frame = frame;
  return wm;
}

PlacementFacts Mapped(const PixelRect& area, const FrameExtents& frame, const PixelRect& client) {
  PlacementFacts facts;
  facts.availableArea = area;
  facts.windowManagerRuns = true;
  facts.frameExtents = frame;
  facts.mapped = true;
  facts.client = client;
  return facts;
}

PixelRect FrameOf(const PixelRect& client, const FrameExtents& e) {
  return {client.x - e.left, client.y - e.top, client.width + e.left + e.right,
          client.height + e.top + e.bottom};
}

}  // namespace

TEST(WindowPlacement, WithNoWindowManagerTheWindowIsMappedOverTheWholeAreaAndFitsAtOnce) {
  SimulatedWindowManager none;
  none.runs = false;
  const Placement run = Place(none);
  ASSERT_EQ(run.steps.size(), 2u);
  EXPECT_EQ(run.steps[0], (PlacementStep{Kind::kMap, kScreen}));
  EXPECT_EQ(run.steps[1].kind, Kind::kFits);
}

TEST(WindowPlacement, OpenboxAnswersTheFrameFirstAndTheWindowGrowsOnceToFit) {
  const Placement run = Place(Answering({1, 1, 20, 1}));
  ASSERT_EQ(run.steps.size(), 3u);
  // A pixel short each way at the map, then exactly inside the frame.
  EXPECT_EQ(run.steps[0], (PlacementStep{Kind::kMap, {1, 20, 1277, 778}}));
  EXPECT_EQ(run.steps[1], (PlacementStep{Kind::kRequest, {1, 20, 1278, 779}}));
  EXPECT_EQ(run.steps[2].kind, Kind::kFits);
  EXPECT_EQ(FrameOf(*run.facts.client, *run.facts.frameExtents), kScreen);
}

TEST(WindowPlacement, Xfwm4NeverSeesAFullSizedMapSoItNeverMaximizesTheWindow) {
  SimulatedWindowManager xfwm4 = Answering({5, 5, 29, 5});
  xfwm4.maximizesAFullSizedMap = true;
  xfwm4.maximizedFrame = {0, 0, 24, 0};
  const Placement run = Place(xfwm4);
  EXPECT_EQ(run.steps.back().kind, Kind::kFits);
  EXPECT_FALSE(run.facts.maximized);
  EXPECT_EQ(run.requests(), 1);
  EXPECT_EQ(FrameOf(*run.facts.client, *run.facts.frameExtents), kScreen);
}

TEST(WindowPlacement, AWindowMaximizedByTheWindowManagerIsAskedOutOfItAndPlacedInsideTheRealFrame) {
  // xfwm4 after a full-sized map: maximized, borders gone, old size kept.
  PlacementFacts facts = Mapped(kScreen, {0, 0, 24, 0}, {5, 29, 1270, 766});
  facts.maximized = true;
  EXPECT_EQ(NextPlacementStep(facts), (PlacementStep{Kind::kRequest, {0, 24, 1280, 776}, true}));
  // Maximized and fitting (a window manager that sized it itself) is fine.
  facts.client = PixelRect{0, 24, 1280, 776};
  EXPECT_EQ(NextPlacementStep(facts).kind, Kind::kFits);
}

TEST(WindowPlacement, MutterAnswersTheFrameOnlyAfterTheMapAndTheWindowStillFits) {
  SimulatedWindowManager mutter;
  mutter.frame = {0, 0, 37, 0};
  const Placement run = Place(mutter);
  // Mapped over the whole area (a pixel short) with no frame known, then
  // placed inside the frame mutter announced at the map.
  EXPECT_EQ(run.steps[0], (PlacementStep{Kind::kMap, {0, 0, 1279, 799}}));
  EXPECT_EQ(run.steps[1], (PlacementStep{Kind::kRequest, {0, 37, 1280, 763}}));
  EXPECT_EQ(run.steps[2].kind, Kind::kFits);
}

TEST(WindowPlacement, TheMapWaitsForTheFrameWhileTheWindowManagerMayStillAnswer) {
  PlacementFacts facts;
  facts.availableArea = kScreen;
  facts.windowManagerRuns = true;
  EXPECT_EQ(NextPlacementStep(facts).kind, Kind::kWait);
  facts.awaitingAnswer = true;  // mapped, MapNotify not seen yet
  facts.frameExtentsOverdue = true;
  EXPECT_EQ(NextPlacementStep(facts).kind, Kind::kWait);
  // Nothing is asked while a request is unanswered.
  facts = Mapped(kScreen, {1, 1, 20, 1}, {1, 20, 1277, 778});
  facts.awaitingAnswer = true;
  EXPECT_EQ(NextPlacementStep(facts).kind, Kind::kWait);
}

TEST(WindowPlacement, AWindowManagerThatPlacesTheFrameAtTheRequestIsAskedThatMuchFurtherBack) {
  const FrameExtents frame{5, 5, 29, 5};
  SimulatedWindowManager wm = Answering(frame);
  wm.placesTheFrameAtTheRequest = true;
  const Placement run = Place(wm);
  ASSERT_EQ(run.steps.back().kind, Kind::kFits);
  EXPECT_EQ(run.requests(), 2);
  EXPECT_EQ(run.steps[2], (PlacementStep{Kind::kRequest, {0, 0, 1270, 766}}));
  EXPECT_EQ(FrameOf(*run.facts.client, frame), kScreen);
}

TEST(WindowPlacement, AWindowManagerThatIgnoresRequestsIsAskedAFewTimesAndThenLeftAlone) {
  SimulatedWindowManager wm = Answering({0, 0, 37, 0});
  wm.ignoresRequests = true;
  const Placement run = Place(wm);
  EXPECT_EQ(run.steps.back().kind, Kind::kGiveUp);
  EXPECT_EQ(run.requests(), kMaxPlacementRequests);
}

TEST(WindowPlacement, AMovedWindowIsPutBackAndAPanelsStripIsLeftFree) {
  const FrameExtents frame{1, 1, 20, 1};
  // A panel along the top: the available area starts below it.
  const PixelRect area{0, 30, 1280, 770};
  PlacementFacts facts = Mapped(area, frame, {1, 50, 1278, 749});
  EXPECT_EQ(NextPlacementStep(facts).kind, Kind::kFits);
  // Moved and shrunk from outside after it fitted: asked straight back,
  // with no offset taken from where the move left it.
  facts.client = PixelRect{50, 60, 400, 300};
  EXPECT_EQ(NextPlacementStep(facts), (PlacementStep{Kind::kRequest, {1, 50, 1278, 749}}));
  facts.client = PixelRect{51, 80, 1278, 749};
  EXPECT_EQ(NextPlacementStep(facts), (PlacementStep{Kind::kRequest, {1, 50, 1278, 749}}));
}

// Minimize and restore as openbox and xfwm4 were seen to do them (see
// window_placement.h); mutter without a shell minimizes no window.
TEST(WindowPlacement, AWindowMinimizedAndRestoredTwiceIsLeftWhereTheWindowManagerPutsItBack) {
  struct Restore {
    const char* windowManager;
    FrameExtents frame;
    PixelRect readingWhileSliding;
  };
  for (const Restore& wm : {Restore{"openbox", {1, 1, 20, 1}, {673, 1300, 1278, 779}},
                            Restore{"xfwm4", {5, 5, 29, 5}, {5, 29, 1270, 766}}}) {
    SCOPED_TRACE(wm.windowManager);
    const PixelRect fitted = ClientAreaInside(kScreen, wm.frame);
    PlacementFacts facts = Mapped(kScreen, wm.frame, fitted);
    for (int cycle = 0; cycle < 2; ++cycle) {
      ASSERT_EQ(NextPlacementStep(facts).kind, Kind::kFits);
      SetMinimized(facts, true);  // hidden, iconic, unmapped
      EXPECT_EQ(NextPlacementStep(facts).kind, Kind::kWait);
      SetMinimized(facts, false);  // shown, mapped, its place reported
      facts.client = wm.readingWhileSliding;
      facts.reported = fitted;
    }
    EXPECT_EQ(NextPlacementStep(facts).kind, Kind::kFits);
  }
}

TEST(WindowPlacement, OpenboxsSlideBackAfterARestoreNeverLeadsTheWindowOffTheArea) {
  const FrameExtents frame{1, 1, 20, 1};
  const PixelRect fitted = ClientAreaInside(kScreen, frame);
  const PixelRect sliding{673, 1300, 1278, 779};
  // A step taken between the map and the report asks for the place once,
  // plainly, and the report that answers it is taken.
  PlacementFacts facts = Mapped(kScreen, frame, sliding);
  EXPECT_EQ(NextPlacementStep(facts), (PlacementStep{Kind::kRequest, fitted}));
  facts.lastRequest = fitted;
  facts.requestsSinceFit = 1;
  facts.reported = fitted;
  EXPECT_EQ(NextPlacementStep(facts).kind, Kind::kFits);
  // With every report missed, the reading stays put whatever is asked.
  facts = Mapped(kScreen, frame, sliding);
  for (PlacementStep step = NextPlacementStep(facts); step.kind == Kind::kRequest;
       step = NextPlacementStep(facts)) {
    EXPECT_EQ(step.client, fitted);
    facts.lastRequest = step.client;
    ++facts.requestsSinceFit;
  }
  EXPECT_EQ(facts.requestsSinceFit, kMaxPlacementRequests);
  // Once minimized and restored, it is asked for again.
  SetMinimized(facts, true);
  SetMinimized(facts, false);
  facts.client = PixelRect{-495, -700, 1278, 779};
  EXPECT_EQ(NextPlacementStep(facts).kind, Kind::kRequest);
}
