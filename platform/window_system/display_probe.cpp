#include "platform/window_system/display_probe.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include "platform/window_system/wayland_display_probe.h"
#include "platform/window_system/x11_display_probe.h"

namespace {
// The platform plugins Qt tries, in its order, without their arguments
// ("xcb:arguments").
QList<QByteArray> PlatformsQtTries(const std::string& given) {
  QByteArray list = given.empty() ? qgetenv("QT_QPA_PLATFORM") : QByteArray::fromStdString(given);
  if (list.isEmpty()) {
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland")
      list = "wayland;";
    if (qEnvironmentVariableIsSet("DISPLAY")) list += "xcb";
  }
  QList<QByteArray> platforms;
  for (const QByteArray& entry : list.split(';'))
    if (!entry.isEmpty()) platforms.append(entry.split(':').first());
  return platforms;
}

std::string Setting(const char* name, const char* otherwise) {
  const QByteArray value = qgetenv(name);
  return std::string(name) + "=" + (value.isEmpty() ? otherwise : value.toStdString());
}
}  // namespace

DisplayProbe::DisplayProbe(const std::string& platform, const std::string& x11Display,
                           std::chrono::milliseconds limit) {
  for (const QByteArray& name : PlatformsQtTries(platform)) {
    ServerAnswer answer;
    std::string setting;
    if (name.startsWith("wayland")) {
      answer = ProbeWaylandDisplay(limit);
      setting = Setting("WAYLAND_DISPLAY", "wayland-0");
    } else if (name == "xcb") {
      X11Probe probe = ProbeX11Display(x11Display, limit);
      answer = probe.answer;
      m_x11 = std::move(probe.connection);
      setting = x11Display.empty() ? Setting("DISPLAY", "") : "-display " + x11Display;
    } else {
      // offscreen, vnc, eglfs...: nothing to ask.
      return;
    }
    if (answer == ServerAnswer::kSilent) m_silent = setting;
    if (answer != ServerAnswer::kAbsent) return;
  }
}
