#include "platform/window_system/window_placement.h"

PixelRect ClientAreaInside(const PixelRect& area, const FrameExtents& frame) {
  return {area.x + frame.left, area.y + frame.top, area.width - frame.left - frame.right,
          area.height - frame.top - frame.bottom};
}

void SetMinimized(PlacementFacts& facts, bool minimized) {
  if (minimized == facts.minimized) return;
  facts.minimized = minimized;
  if (minimized) {
    facts.client.reset();
    facts.reported.reset();
  }
  facts.requestsSinceFit = 0;
  facts.lastRequest.reset();
}

namespace {
using Kind = PlacementStep::Kind;

bool Inside(const PixelRect& inner, const PixelRect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

PlacementStep Just(Kind kind) { return {kind, PixelRect{}, false}; }

PlacementStep FirstMap(const PlacementFacts& facts) {
  if (facts.windowManagerRuns && !facts.frameExtents && !facts.frameExtentsOverdue)
    return Just(Kind::kWait);
  PixelRect client =
      ClientAreaInside(facts.availableArea, facts.frameExtents.value_or(FrameExtents{}));
  // A window manager may take a window that maps as large as the available
  // area for one asking to be maximized (xfwm4 does, and then leaves it at a
  // size that no longer fits): it is mapped a pixel short each way and grown
  // once it is mapped.  With no window manager it is mapped as it will stay.
  if (facts.windowManagerRuns) {
    client.width -= 1;
    client.height -= 1;
  }
  return {Kind::kMap, client, false};
}
}  // namespace

PlacementStep NextPlacementStep(const PlacementFacts& facts) {
  if (!facts.mapped) return facts.awaitingAnswer ? Just(Kind::kWait) : FirstMap(facts);
  if (facts.minimized || facts.awaitingAnswer || (!facts.client && !facts.reported))
    return Just(Kind::kWait);

  const PixelRect target =
      ClientAreaInside(facts.availableArea, facts.frameExtents.value_or(FrameExtents{}));
  const PixelRect client = facts.reported ? *facts.reported : *facts.client;
  if (client == target) return Just(Kind::kFits);
  if (facts.requestsSinceFit >= kMaxPlacementRequests) return Just(Kind::kGiveUp);

  PixelRect ask = target;
  // A window manager that took the requested size but put the window
  // elsewhere places the frame, not the client, at the point asked for (or
  // shifts it by some offset of its own): ask that much further back, but
  // never for a place outside the available area, which no such shift
  // explains.
  if (facts.lastRequest && client.width == facts.lastRequest->width &&
      client.height == facts.lastRequest->height && client.width == target.width &&
      client.height == target.height) {
    PixelRect back = ask;
    back.x -= client.x - facts.lastRequest->x;
    back.y -= client.y - facts.lastRequest->y;
    if (Inside(back, facts.availableArea)) ask = back;
  }
  return {Kind::kRequest, ask, facts.maximized};
}
