// Icon resources as Qt pixmaps, for the platform's own windows.
#pragma once

#include <QPixmap>

#include "platform/win_types.h"

// Icon resource `id` drawn at `size` pixels (null pixmap if missing).
QPixmap LoadIconPixmap(UINT id, int size);
