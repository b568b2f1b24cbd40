// A scale factor set for Qt (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS) that
// leaves no usable window: 0, a negative number or NaN, one so large that
// the screen is smaller than the game's window needs, or one so small that
// menus and texts shrink to specks.  Qt takes such values as they are and
// the window never appears, so the game refuses them at start.
#pragma once

#include <string>

class QScreen;

// The smallest screen, in Qt's device-independent pixels, that holds the
// menu bar and the board.
inline constexpr int kMinScreenWidth = 320;
inline constexpr int kMinScreenHeight = 200;
// The smallest device pixel ratio at which menu and dialog texts can still
// be read.
inline constexpr double kMinPixelRatio = 0.25;

// Why the scale factor set in the environment cannot be used on `screen`,
// as a message for the player, or "" when it can (or none is set).
std::string ScaleFactorProblem(const QScreen* screen);

// The same from the figures: the setting as the player wrote it (such as
// "QT_SCALE_FACTOR=0"), the device pixel ratio it gave and the screen's
// available size in device-independent pixels.
std::string ScaleFactorProblem(const std::string& setting, double pixelRatio, int width,
                               int height);
