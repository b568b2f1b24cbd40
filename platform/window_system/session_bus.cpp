#include "platform/window_system/session_bus.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QByteArray>
#include <QtGlobal>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "platform/language/translation.h"
#include "platform/window_system/session_bus_probe.h"
#include "platform/window_system/x11_display_probe.h"

namespace {
// libdbus takes $XDG_RUNTIME_DIR/bus by itself when it is a socket of this
// user's: its address, or empty.
std::string RuntimeDirectoryBus() {
  const QByteArray dir = qgetenv("XDG_RUNTIME_DIR");
  if (dir.isEmpty()) return {};
  const std::string path = dir.toStdString() + "/bus";
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISSOCK(info.st_mode) || info.st_uid != getuid())
    return {};
  return "unix:path=" + path;
}

// The machine id libdbus hands to dbus-launch.
std::string MachineId() {
  for (const char* file : {"/var/lib/dbus/machine-id", "/etc/machine-id"}) {
    std::ifstream in(file);
    std::string id;
    if (in >> id && id.size() == 32) return id;
  }
  return {};
}

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t ExistingAtom(xcb_connection_t* connection, const std::string& name) {
  ReplyPtr<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(
          connection,
          xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(name.size()), name.data()),
          nullptr),
      &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The address of a session bus dbus-launch already started for this user
// on the X display: the owner of its selection holds it in a property.
std::string AutolaunchedBusOnDisplay(xcb_connection_t* connection) {
  const passwd* user = getpwuid(getuid());
  const std::string machine = MachineId();
  if (!user || machine.empty()) return {};
  const xcb_atom_t selection = ExistingAtom(
      connection, std::string("_DBUS_SESSION_BUS_SELECTION_") + user->pw_name + "_" + machine);
  const xcb_atom_t property = ExistingAtom(connection, "_DBUS_SESSION_BUS_ADDRESS");
  if (selection == XCB_ATOM_NONE || property == XCB_ATOM_NONE) return {};
  ReplyPtr<xcb_get_selection_owner_reply_t> owner(
      xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection),
                                    nullptr),
      &std::free);
  if (!owner || owner->owner == XCB_WINDOW_NONE) return {};
  ReplyPtr<xcb_get_property_reply_t> value(
      xcb_get_property_reply(
          connection,
          xcb_get_property(connection, 0, owner->owner, property, XCB_ATOM_STRING, 0, 1024),
          nullptr),
      &std::free);
  if (!value || value->format != 8 || value->bytes_after != 0) return {};
  const char* text = static_cast<const char*>(xcb_get_property_value(value.get()));
  std::string address(text, static_cast<std::size_t>(xcb_get_property_value_length(value.get())));
  // dbus-launch stores the address with its terminating zero.
  address.erase(std::find(address.begin(), address.end(), '\0'), address.end());
  return address;
}
}  // namespace

std::string ChooseSessionBus(std::chrono::milliseconds limit, xcb_connection_t* display) {
  std::string address = qgetenv("DBUS_SESSION_BUS_ADDRESS").toStdString();
  if (address.rfind("disabled:", 0) == 0) return {};
  if (address.empty()) address = RuntimeDirectoryBus();
  // dbus-launch only autolaunches on an X display, which is asked first
  // whether it answers at all where that is not known yet.
  if (address.empty() && !qEnvironmentVariableIsEmpty("DISPLAY")) {
    X11Probe probe;
    if (!display) {
      probe = ProbeX11Display({}, limit);
      display = probe.connection.get();
    }
    if (display) address = AutolaunchedBusOnDisplay(display);
    if (!address.empty()) qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray::fromStdString(address));
  }
  std::string said;
  if (!address.empty() && ProbeBus(address, limit) == ServerAnswer::kSilent) {
    said = FormattedText(
        _("the session bus (%s) did not answer within %lld s; the game goes on without it, out "
          "of reach of screen readers"),
        address.c_str(),
        static_cast<long long>(std::chrono::duration_cast<std::chrono::seconds>(limit).count()));
    address.clear();
  }
  if (address.empty()) qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
  return said;
}
