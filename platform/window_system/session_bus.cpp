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

namespace {
// libdbus takes $XDG_RUNTIME_DIR/bus by itself when it is a socket of this
// user's.
bool RuntimeDirectoryBusExists() {
  const QByteArray dir = qgetenv("XDG_RUNTIME_DIR");
  if (dir.isEmpty()) return false;
  const std::string path = dir.toStdString() + "/bus";
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode) && info.st_uid == getuid();
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
std::string AutolaunchedBusOnDisplay() {
  const passwd* user = getpwuid(getuid());
  const std::string machine = MachineId();
  if (!user || machine.empty()) return {};
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  std::string address;
  if (!xcb_connection_has_error(connection)) {
    const xcb_atom_t selection = ExistingAtom(
        connection, std::string("_DBUS_SESSION_BUS_SELECTION_") + user->pw_name + "_" + machine);
    const xcb_atom_t property = ExistingAtom(connection, "_DBUS_SESSION_BUS_ADDRESS");
    if (selection != XCB_ATOM_NONE && property != XCB_ATOM_NONE) {
      ReplyPtr<xcb_get_selection_owner_reply_t> owner(
          xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection),
                                        nullptr),
          &std::free);
      if (owner && owner->owner != XCB_WINDOW_NONE) {
        ReplyPtr<xcb_get_property_reply_t> value(
            xcb_get_property_reply(
                connection,
                xcb_get_property(connection, 0, owner->owner, property, XCB_ATOM_STRING, 0, 1024),
                nullptr),
            &std::free);
        if (value && value->format == 8 && value->bytes_after == 0) {
          const char* text = static_cast<const char*>(xcb_get_property_value(value.get()));
          address.assign(text,
                         static_cast<std::size_t>(xcb_get_property_value_length(value.get())));
          // dbus-launch stores the address with its terminating zero.
          address.erase(std::find(address.begin(), address.end(), '\0'), address.end());
        }
      }
    }
  }
  xcb_disconnect(connection);
  return address;
}
}  // namespace

void AvoidAutolaunchedSessionBus() {
  if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") || RuntimeDirectoryBusExists())
    return;
  std::string address;
  // dbus-launch only autolaunches on an X display.
  if (!qEnvironmentVariableIsEmpty("DISPLAY")) address = AutolaunchedBusOnDisplay();
  qputenv("DBUS_SESSION_BUS_ADDRESS",
          address.empty() ? QByteArray("disabled:") : QByteArray::fromStdString(address));
}
