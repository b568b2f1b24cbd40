#include "platform/window_system/wayland_decorations.h"

#include <wayland-client.h>

#include <QGuiApplication>
#include <chrono>
#include <cstdint>
#include <cstring>

#include "platform/window_system/wayland_display_probe.h"

namespace {
// The compositor has answered Qt by now; one that stops answering is not
// waited for longer than this.
constexpr std::chrono::milliseconds kAnswerLimit{1000};
}  // namespace

bool WindowSystemDrawsCaption() {
  if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return true;
  if (qEnvironmentVariableIntValue("QT_WAYLAND_DISABLE_WINDOWDECORATION") == 0) return true;
  return CompositorOffersServerSideDecorations();
}

// The compositor is asked, on a connection of the game's own that is closed
// again at once, which globals it offers.
bool CompositorOffersServerSideDecorations() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return false;
  bool offered = false;
  static const wl_registry_listener listener = {
      .global =
          [](void* data, wl_registry*, std::uint32_t, const char* interface, std::uint32_t) {
            if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0)
              *static_cast<bool*>(data) = true;
          },
      .global_remove = [](void*, wl_registry*, std::uint32_t) {},
  };
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &listener, &offered);
  const bool answered = RoundTripWithin(display, kAnswerLimit) == ServerAnswer::kAnswers;
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  return answered && offered;
}
