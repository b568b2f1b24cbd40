#include "platform/window_system/window_placement.h"

PixelRect ClientAreaInside(const PixelRect& area, const FrameExtents& frame) {
  return {area.x + frame.left, area.y + frame.top, area.width - frame.left - frame.right,
          area.height - frame.top - frame.bottom};
}

namespace {
using Kind = PlacementStep::Kind;

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
  if (facts.awaitingAnswer || !facts.client) return Just(Kind::kWait);

  const PixelRect target =
      ClientAreaInside(facts.availableArea, facts.frameExtents.value_or(FrameExtents{}));
  const PixelRect& client = *facts.client;
  if (client == target) return Just(Kind::kFits);
  if (facts.requestsSinceFit >= kMaxPlacementRequests) return Just(Kind::kGiveUp);

  PixelRect ask = target;
  // A window manager that took the requested size but put the window
  // elsewhere places the frame, not the client, at the point asked for (or
  // shifts it by some offset of its own): ask that much further back.
  if (facts.lastRequest && client.width == facts.lastRequest->width &&
      client.height == facts.lastRequest->height && client.width == target.width &&
      client.height == target.height) {
    ask.x -= client.x - facts.lastRequest->x;
    ask.y -= client.y - facts.lastRequest->y;
  }
  return {Kind::kRequest, ask, facts.maximized};
}
