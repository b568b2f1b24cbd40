// Resources compiled into the program (res/), found by integer id and type
// name.  Type names match without regard to case, so "sound" finds the
// "SOUND" resources.
#pragma once

#include <span>

#include "platform/interface/win_types.h"

class IResourceFinder {
 public:
  virtual ~IResourceFinder() = default;
  // The bytes of resource `id` of type `type`, valid for the whole run;
  // empty when there is no such resource.
  virtual std::span<const unsigned char> Find(UINT id, const char* type) = 0;
};

// The bytes of resource `id` of type `type` through the finder installed;
// empty when there is no such resource (or no finder).
std::span<const unsigned char> FindResource(UINT id, const char* type);
// Installs `finder` (nullptr: none) and returns the one it replaces.  The
// caller keeps ownership.
IResourceFinder* SetResourceFinder(IResourceFinder* finder);
