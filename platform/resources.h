// Resources compiled into the program (res/, through the Qt resource
// system), found by integer id and type name.  Type names match without
// regard to case, so "sound" finds the "SOUND" resources.
#pragma once

#include <span>

#include "platform/win_types.h"

// The bytes of resource `id` of type `type`, held in the program's image for
// the whole run; empty when there is no such resource.
std::span<const unsigned char> FindResource(UINT id, const char* type);
