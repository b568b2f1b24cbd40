// Texts drawn in boxes laid out for their English words, which another
// language's may outgrow.  A translated text that does not fit is drawn in
// the same face at the largest height at which it does (a single line no
// wider than its box, word-wrapped lines no taller than it), never taller
// than the font given; below half that height a text is no longer read, so
// there it stops shrinking and is cut at its box as DrawText cuts it.  The
// program's own English is drawn exactly as it always was: where it
// overruns a box (the "Round 10" heading on a 480-pixel window, the last
// lines of the rules on some 5:4 windows) it is cut there as before.
#pragma once

#include <string_view>

#include "platform/interface/dc.h"

// DrawText(text, -1, box, format) in the font selected in pDC, or in a
// smaller one of its face as above; the font selected is left as it was.
int DrawFittedText(CDC* pDC, std::string_view text, RECT* box, UINT format);
