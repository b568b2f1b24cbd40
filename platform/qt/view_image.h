// A view drawn once into a picture file, as a window of a given client size
// would first show it; no display is needed (the --screenshot option).
#pragma once

#include <string>

class CView;

// Draws `view` at `width` x `height` client pixels and saves it as a PNG at
// `path`; false when the file cannot be written.
bool SaveViewImage(CView& view, int width, int height, const std::string& path);
