#include "platform/window_system/x11_display_probe.h"

#include <cstdlib>
#include <future>
#include <system_error>
#include <thread>

X11Probe ProbeX11Display(const std::string& display, std::chrono::milliseconds limit) {
  // Shared with the thread, which may outlive this call.
  auto answered = std::make_shared<std::promise<xcb_connection_t*>>();
  std::future<xcb_connection_t*> outcome = answered->get_future();
  try {
    std::thread([answered, display] {
      xcb_connection_t* connection =
          xcb_connect(display.empty() ? nullptr : display.c_str(), nullptr);
      if (!xcb_connection_has_error(connection))
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
      if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        connection = nullptr;
      }
      answered->set_value(connection);
    }).detach();
  } catch (const std::system_error&) {
    // No thread to ask on: Qt is handed the display unasked, as it always was.
    return {ServerAnswer::kAnswers, nullptr};
  }
  if (outcome.wait_for(limit) != std::future_status::ready) return {ServerAnswer::kSilent, nullptr};
  X11ConnectionHandle connection(outcome.get());
  const ServerAnswer answer = connection ? ServerAnswer::kAnswers : ServerAnswer::kAbsent;
  return {answer, std::move(connection)};
}
