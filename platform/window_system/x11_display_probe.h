// Whether an X server answers: a connection and one round trip, with a time
// limit.  libxcb has no connection with a limit (it reads the server's
// greeting with a blocking read), so the question is asked on a thread of
// its own; a silent server leaves that thread waiting until the program ends.
#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <memory>
#include <string>

#include "platform/window_system/server_answer.h"

struct DisconnectX11 {
  void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
using X11ConnectionHandle = std::unique_ptr<xcb_connection_t, DisconnectX11>;

struct X11Probe {
  ServerAnswer answer = ServerAnswer::kAbsent;
  // Where the server answered, the connection, still open: an X server
  // whose last client leaves resets itself (some 60 ms under Xvfb, which
  // has no other client where no window manager runs), so it is kept until
  // the next connection is made.
  X11ConnectionHandle connection;
};

// `display` as libxcb takes it (":1", "host:0.0"); empty: DISPLAY.
X11Probe ProbeX11Display(const std::string& display, std::chrono::milliseconds limit);
