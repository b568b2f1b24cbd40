#include "platform/window_system/x11_properties.h"

#include <QtGui/qguiapplication_platform.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace {
struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;
}  // namespace

xcb_connection_t* X11Connection() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

xcb_window_t X11RootWindow() {
  xcb_connection_t* connection = X11Connection();
  if (!connection) return XCB_NONE;
  const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  return screens.rem > 0 ? screens.data->root : XCB_NONE;
}

xcb_atom_t X11Atom(std::string_view name) {
  xcb_connection_t* connection = X11Connection();
  if (!connection) return XCB_NONE;
  // An atom never changes for the life of the connection (the program has
  // one), so each name costs one round trip to the server.
  static std::map<std::string, xcb_atom_t, std::less<>> known;
  if (auto it = known.find(name); it != known.end()) return it->second;
  Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      connection,
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
      nullptr));
  if (!reply) return XCB_NONE;
  known.emplace(std::string(name), reply->atom);
  return reply->atom;
}

std::vector<std::uint32_t> ReadX11Property(xcb_window_t window, xcb_atom_t property) {
  xcb_connection_t* connection = X11Connection();
  if (!connection || window == XCB_NONE || property == XCB_NONE) return {};
  // 1024 values are far more than any of the properties asked for holds.
  Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection,
      xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
      nullptr));
  if (!reply || reply->format != 32) return {};
  const int count = xcb_get_property_value_length(reply.get()) / 4;
  std::vector<std::uint32_t> values(static_cast<std::size_t>(std::max(count, 0)));
  if (!values.empty())
    std::memcpy(values.data(), xcb_get_property_value(reply.get()), values.size() * 4);
  return values;
}

bool X11WindowManagerRuns() {
  const xcb_atom_t check = X11Atom("_NET_SUPPORTING_WM_CHECK");
  const std::vector<std::uint32_t> named = ReadX11Property(X11RootWindow(), check);
  if (named.empty()) return false;
  const std::vector<std::uint32_t> self = ReadX11Property(named[0], check);
  return !self.empty() && self[0] == named[0];
}

bool IsX11CloseRequest(const void* event, xcb_window_t window) {
  const auto type = static_cast<const xcb_generic_event_t*>(event)->response_type & 0x7f;
  if (type == XCB_CLIENT_MESSAGE) {
    const auto* message = static_cast<const xcb_client_message_event_t*>(event);
    return message->window == window && message->format == 32 &&
           message->type == X11Atom("WM_PROTOCOLS") &&
           message->data.data32[0] == X11Atom("WM_DELETE_WINDOW");
  }
  const auto* key = static_cast<const xcb_key_press_event_t*>(event);
  if (type != XCB_KEY_PRESS || key->event != window || !(key->state & XCB_MOD_MASK_1)) return false;
  xcb_connection_t* connection = X11Connection();
  Reply<xcb_get_keyboard_mapping_reply_t> map(xcb_get_keyboard_mapping_reply(
      connection, xcb_get_keyboard_mapping(connection, key->detail, 1), nullptr));
  constexpr xcb_keysym_t kF4 = 0xffc1;
  return map && map->keysyms_per_keycode > 0 &&
         xcb_get_keyboard_mapping_keysyms(map.get())[0] == kF4;
}

bool X11WindowManagerSupports(xcb_atom_t hint) {
  const std::vector<std::uint32_t> supported =
      ReadX11Property(X11RootWindow(), X11Atom("_NET_SUPPORTED"));
  return std::find(supported.begin(), supported.end(), hint) != supported.end();
}

void SendToWindowManager(xcb_window_t window, xcb_atom_t message,
                         const std::array<std::uint32_t, 5>& data) {
  xcb_connection_t* connection = X11Connection();
  if (!connection || window == XCB_NONE) return;
  xcb_client_message_event_t event;
  std::memset(&event, 0, sizeof event);
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = window;
  event.type = message;
  std::copy(data.begin(), data.end(), event.data.data32);
  xcb_send_event(connection, 0, X11RootWindow(),
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&event));
  xcb_flush(connection);
}

std::optional<PixelRect> X11ClientGeometry(xcb_window_t window) {
  xcb_connection_t* connection = X11Connection();
  if (!connection || window == XCB_NONE) return std::nullopt;
  const auto geometryCookie = xcb_get_geometry(connection, window);
  const auto originCookie = xcb_translate_coordinates(connection, window, X11RootWindow(), 0, 0);
  Reply<xcb_get_geometry_reply_t> geometry(
      xcb_get_geometry_reply(connection, geometryCookie, nullptr));
  Reply<xcb_translate_coordinates_reply_t> origin(
      xcb_translate_coordinates_reply(connection, originCookie, nullptr));
  if (!geometry || !origin) return std::nullopt;
  return PixelRect{origin->dst_x, origin->dst_y, geometry->width, geometry->height};
}

std::optional<FrameExtents> X11FrameExtents(xcb_window_t window) {
  const std::vector<std::uint32_t> extents = ReadX11Property(window, X11Atom("_NET_FRAME_EXTENTS"));
  if (extents.size() != 4) return std::nullopt;
  return FrameExtents{static_cast<int>(extents[0]), static_cast<int>(extents[1]),
                      static_cast<int>(extents[2]), static_cast<int>(extents[3])};
}
