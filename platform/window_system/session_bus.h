// Keeps the D-Bus library from starting a session bus on the game's behalf.
//
// Qt reaches for the session bus as the window comes up (the global-menu
// check of the menu bar, the accessibility bridge).  Where no session bus is
// known (no DBUS_SESSION_BUS_ADDRESS, nothing at $XDG_RUNTIME_DIR/bus), libdbus
// "autolaunches" one through dbus-launch on the X display, and that daemon
// stays behind after the game until the X server ends.
//
// A real bus is still used: the one the variable names, the one in the
// runtime directory (libdbus finds it itself), or one that another program
// already autolaunched on this X display (found the way dbus-launch finds it,
// and named in DBUS_SESSION_BUS_ADDRESS).  Only where there is none is the
// session bus turned off for the game ("disabled:"), so nothing is started.
// Called before the application object exists.
#pragma once

void AvoidAutolaunchedSessionBus();
