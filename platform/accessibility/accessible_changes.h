// How one description of a view differs from the next, part by part, as a
// screen reader has to be told: a name or description that changed, a part
// shown or hidden, a part that appeared, the focus moved to another part.
#pragma once

#include <string>
#include <vector>

#include "platform/interface/accessible_model.h"

struct AccessibleChange {
  enum class Kind { kCreated, kNameChanged, kDescriptionChanged, kShown, kHidden, kFocused };
  Kind kind;
  std::string key;
  friend bool operator==(const AccessibleChange&, const AccessibleChange&) = default;
};

// The changes from `before` to `after`: the view's own description first
// (under the root's key), then its parts in the order of `after`, the focus
// last.  A first description (`before` without parts) changes
// nothing: there was nothing to tell before.  Parts that are gone are not
// listed.
std::vector<AccessibleChange> ChangesBetween(const AccessibleNode& before,
                                             const AccessibleNode& after);
