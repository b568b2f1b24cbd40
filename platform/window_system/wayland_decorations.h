// Whether the window system draws the main window's caption, or the game
// has to (see caption_bar.h).
//
// X11 window managers draw it.  On Wayland the caption is the client's
// business unless the compositor offers server-side decorations
// (xdg-decoration, which KDE's and wlroots-based compositors do and GNOME's
// and Weston do not); Qt asks for them where they are offered.  Qt's own
// client-side caption is left off at start-up (it needs Qt's EGL buffer
// integration, which loads the OpenGL stack) unless the player turned it on
// with QT_WAYLAND_DISABLE_WINDOWDECORATION=0.
#pragma once

bool WindowSystemDrawsCaption();

// Whether the compositor at WAYLAND_DISPLAY offers server-side decorations;
// false where no compositor answers, or none within a second.
bool CompositorOffersServerSideDecorations();
