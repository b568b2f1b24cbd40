// Drawing the eight line values, each centred in its box, in one colour.
#pragma once

#include <cstddef>

#include "platform/interface/dc.h"
#include "platform/interface/win_types.h"

// Sets the text colour to `color` and writes values[k] ("%1.1i": at least
// one digit, a minus sign when negative) centred on one line in boxes[k] for
// k = 0..7, formatting through `buffer`.  With bClearFirst each box is first
// filled white, erasing what an earlier call drew there.  The text colour is
// left at `color`, the font as selected by the caller.
void DrawNumbersInBoxes(CDC* pDC, const int values[8], RECT boxes[8], COLORREF color,
                        BOOL bClearFirst, char* buffer, std::size_t bufferSize);
