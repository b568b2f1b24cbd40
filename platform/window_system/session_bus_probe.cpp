#include "platform/window_system/session_bus_probe.h"

#include <dbus/dbus.h>

#include <algorithm>

ServerAnswer ProbeBus(const std::string& address, std::chrono::milliseconds limit) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + limit;
  const auto left = [deadline] {
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(
        0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count()));
  };
  DBusError error;
  dbus_error_init(&error);
  // A private connection of the probe's own, closed again at once.
  DBusConnection* connection = dbus_connection_open_private(address.c_str(), &error);
  if (!connection) {
    dbus_error_free(&error);
    return ServerAnswer::kAbsent;
  }
  ServerAnswer answer = ServerAnswer::kAbsent;
  // libdbus bounds the wait for a reply but not the authentication before
  // it (a message sent first waits for it without a limit): that is driven
  // here, a bounded step at a time.
  while (!dbus_connection_get_is_authenticated(connection) && left() > 0 &&
         dbus_connection_read_write(connection, left())) {
  }
  if (!dbus_connection_get_is_connected(connection)) {
    answer = ServerAnswer::kAbsent;
  } else if (!dbus_connection_get_is_authenticated(connection)) {
    answer = ServerAnswer::kSilent;
  } else if (DBusMessage* hello = dbus_message_new_method_call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS,
                                                               DBUS_INTERFACE_DBUS, "Hello")) {
    // Every bus answers Hello first.
    if (DBusMessage* reply =
            dbus_connection_send_with_reply_and_block(connection, hello, left(), &error)) {
      answer = ServerAnswer::kAnswers;
      dbus_message_unref(reply);
    } else if (dbus_error_has_name(&error, DBUS_ERROR_NO_REPLY) ||
               dbus_error_has_name(&error, DBUS_ERROR_TIMEOUT)) {
      answer = ServerAnswer::kSilent;
    }
    dbus_message_unref(hello);
  }
  dbus_error_free(&error);
  dbus_connection_close(connection);
  dbus_connection_unref(connection);
  return answer;
}
