// Opening the display.  When no display can be opened (DISPLAY or
// WAYLAND_DISPLAY naming a server that is not there, an unknown
// QT_QPA_PLATFORM), Qt aborts the program with advice to reinstall it.
// While a guard is armed, that failure instead ends the game at once with
// its own message, naming the display and Qt's reasons, and exit status 1.
// The warnings Qt gives on the way are held back and passed on once the
// display is open.
#pragma once

// How to play without a desktop session, for the messages that say no
// display can be used.
inline constexpr char kPlayWithoutADesktop[] = "xvfb-run -s '-screen 0 1280x800x24' kelvo";

class DisplayStartGuard {
 public:
  DisplayStartGuard();
  ~DisplayStartGuard();
  DisplayStartGuard(const DisplayStartGuard&) = delete;
  DisplayStartGuard& operator=(const DisplayStartGuard&) = delete;

  // The display is open: Qt's messages go their usual way again, starting
  // with the ones held back.
  void Opened();

 private:
  bool m_armed = true;
};
