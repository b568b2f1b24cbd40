// Whether a Wayland compositor answers, with a time limit: libwayland's own
// wl_display_roundtrip waits without one.
#pragma once

#include <chrono>

#include "platform/window_system/server_answer.h"

struct wl_display;

// The compositor at WAYLAND_DISPLAY (wayland-0 where unset, as libwayland
// and Qt take it), on a connection of its own closed again at once.
ServerAnswer ProbeWaylandDisplay(std::chrono::milliseconds limit);

// A round trip on `display` that gives up after `limit`; the events that
// arrive on the way are dispatched to their listeners as usual.
ServerAnswer RoundTripWithin(wl_display* display, std::chrono::milliseconds limit);
