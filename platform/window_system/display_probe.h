// The display Qt is about to open, asked first whether its server answers
// (server_answer.h): a server that takes the connection and never answers
// would otherwise hold the game up for ever with no window and no word.
//
// Qt's own order is followed: the platforms QT_QPA_PLATFORM (or -platform)
// lists, or else Wayland where WAYLAND_DISPLAY or XDG_SESSION_TYPE=wayland
// says there is one, then X11 where DISPLAY names one.  The first whose
// server is there is asked, as that is the one Qt takes; one that is not
// there is passed over, as Qt passes it over (and says why if none is left).
// An X display is not asked where Qt takes Wayland: GNOME would start its
// Xwayland for nothing.
#pragma once

#include <chrono>
#include <string>

#include "platform/window_system/x11_display_probe.h"

class DisplayProbe {
 public:
  // `platform`: -platform's value, or empty; `x11Display`: -display's
  // value, or empty.
  DisplayProbe(const std::string& platform, const std::string& x11Display,
               std::chrono::milliseconds limit);

  // The setting that names the display whose server took the connection
  // and did not answer in time ("DISPLAY=:7"); empty where none did.
  const std::string& Silent() const { return m_silent; }
  // The X server Qt takes, where it answered: the probe's connection, open
  // until the probe goes (once Qt has its own), or null.
  xcb_connection_t* X11() const { return m_x11.get(); }

 private:
  std::string m_silent;
  X11ConnectionHandle m_x11;
};
