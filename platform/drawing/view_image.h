// A view drawn once into a picture, as a window of a given client size
// would first show it; no display is needed (the --screenshot option).
#pragma once

#include <optional>
#include <string>

class CView;

// Draws `view` at `width` x `height` client pixels; the bytes of a PNG file
// of it, or nothing when it cannot be made (no memory for so large a picture).
std::optional<std::string> DrawViewAsPng(CView& view, int width, int height);
