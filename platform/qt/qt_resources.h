// The program's resources (res/) as Qt's resource system holds them, at
// :/res/<TYPE>/<id>: the finder the game's FindResource goes through, and
// icons as pixmaps for the platform's own windows.
#pragma once

#include <QPixmap>

#include "platform/interface/resources.h"

class QtResourceFinder : public IResourceFinder {
 public:
  std::span<const unsigned char> Find(UINT id, const char* type) override;
};

// Icon resource `id` drawn at `size` pixels (null pixmap if missing).
QPixmap LoadIconPixmap(UINT id, int size);
