#include "platform/window_system/wayland_display_probe.h"

#include <poll.h>
#include <wayland-client.h>

#include <cerrno>
#include <cstdint>

ServerAnswer ProbeWaylandDisplay(std::chrono::milliseconds limit) {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return ServerAnswer::kAbsent;
  const ServerAnswer answer = RoundTripWithin(display, limit);
  wl_display_disconnect(display);
  return answer;
}

// libwayland's way to wait for events with a limit: announce the read,
// poll the connection, then read or cancel.
ServerAnswer RoundTripWithin(wl_display* display, std::chrono::milliseconds limit) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + limit;
  bool done = false;
  static const wl_callback_listener listener = {
      .done = [](void* data, wl_callback*, std::uint32_t) { *static_cast<bool*>(data) = true; },
  };
  wl_callback* callback = wl_display_sync(display);
  wl_callback_add_listener(callback, &listener, &done);
  ServerAnswer answer = ServerAnswer::kAbsent;
  for (;;) {
    while (!done && wl_display_prepare_read(display) != 0)
      if (wl_display_dispatch_pending(display) < 0) break;
    if (done) {
      answer = ServerAnswer::kAnswers;
      break;
    }
    if (wl_display_get_error(display) != 0) break;
    // What is not sent now (a full socket) goes with the next flush.
    if (wl_display_flush(display) < 0 && errno != EAGAIN) {
      wl_display_cancel_read(display);
      break;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd connection{wl_display_get_fd(display), POLLIN, 0};
    const int ready = left > 0 ? poll(&connection, 1, static_cast<int>(left)) : 0;
    if (ready <= 0) {
      wl_display_cancel_read(display);
      if (ready < 0 && errno == EINTR) continue;
      if (ready == 0) answer = ServerAnswer::kSilent;
      break;
    }
    if (wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0) break;
  }
  wl_callback_destroy(callback);
  return answer;
}
