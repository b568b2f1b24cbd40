#include "platform/accessibility/accessible_changes.h"

#include <map>

namespace {

void IndexParts(const AccessibleNode& node, std::map<std::string, const AccessibleNode*>& parts) {
  for (const AccessibleNode& child : node.children) {
    parts[child.key] = &child;
    IndexParts(child, parts);
  }
}

void Compare(const AccessibleNode& node, const std::map<std::string, const AccessibleNode*>& old,
             std::vector<AccessibleChange>& changes) {
  using Kind = AccessibleChange::Kind;
  for (const AccessibleNode& part : node.children) {
    auto was = old.find(part.key);
    if (was == old.end()) {
      changes.push_back({Kind::kCreated, part.key});
    } else {
      const AccessibleNode& before = *was->second;
      if (before.name != part.name) changes.push_back({Kind::kNameChanged, part.key});
      if (before.description != part.description)
        changes.push_back({Kind::kDescriptionChanged, part.key});
      if (before.hidden != part.hidden)
        changes.push_back({part.hidden ? Kind::kHidden : Kind::kShown, part.key});
    }
    Compare(part, old, changes);
  }
}

}  // namespace

std::vector<AccessibleChange> ChangesBetween(const AccessibleNode& before,
                                             const AccessibleNode& after) {
  std::vector<AccessibleChange> changes;
  if (before.children.empty()) return changes;
  if (before.description != after.description)
    changes.push_back({AccessibleChange::Kind::kDescriptionChanged, after.key});
  std::map<std::string, const AccessibleNode*> old;
  IndexParts(before, old);
  Compare(after, old, changes);
  const AccessibleNode* focusedBefore = before.FocusedPart();
  const AccessibleNode* focusedAfter = after.FocusedPart();
  if (focusedAfter && focusedAfter != &after &&
      (!focusedBefore || focusedBefore->key != focusedAfter->key))
    changes.push_back({AccessibleChange::Kind::kFocused, focusedAfter->key});
  return changes;
}
