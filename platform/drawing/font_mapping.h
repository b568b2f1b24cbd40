// Turns the game's font descriptions into Qt fonts.  "Arial" is the
// Arial-metric family (Liberation Sans) and "Arial Bold" the same family in
// bold; fontconfig alone would map "Arial Bold" to an unrelated face.  A
// positive height is the character-cell height in device pixels (ascent plus
// descent); 0 is the default size.
#pragma once

#include <QFont>

#include "platform/interface/gdi_objects.h"

class QPaintDevice;

// The font for `lf` on `device` (its resolution decides what a pixel is).
QFont QFontFor(const LOGFONT& lf, const QPaintDevice* device);
