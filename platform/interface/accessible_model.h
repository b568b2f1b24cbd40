// What a view shows, described for assistive technology (a screen reader)
// in plain terms: a tree of parts, each with a role, a name that says what
// it shows, and a few states.  A view fills it in on request; the Qt layer
// lays it over the desktop's accessibility interfaces (AT-SPI on Linux).
#pragma once

#include <string>
#include <vector>

#include "platform/interface/win_types.h"

enum class AccessibleRole {
  kCanvas,        // the view itself: a drawn surface whose parts are described
  kPane,          // a group of parts
  kTable,         // a grid of cells (rows and columns given)
  kCell,          // one cell of a table (its row and column given)
  kText,          // a line or paragraph of text
  kAnnouncement,  // what was said unasked (added by the platform)
};

struct AccessibleNode {
  // Stable from one description to the next: the same part keeps its key
  // while its name and states change, so a screen reader keeps its place.
  std::string key;
  AccessibleRole role = AccessibleRole::kText;
  // What the part shows, as it is read out.
  std::string name;
  // Help on the part, read after the name when it gets the focus.
  std::string description;
  // The text a part holds beyond its name (the rules), for a screen reader
  // to move through by line (each ends at a line feed) and by word; empty
  // for most parts.
  std::string text;
  // Where it is, in the view's client pixels.
  RECT rect{};
  // Nothing of the part is on screen now (an empty label, say).
  bool hidden = false;
  // The part the keyboard acts on; at most one in a tree.
  bool focused = false;
  // A table's size, a cell's place (from 0).
  int rows = 0;
  int columns = 0;
  int row = 0;
  int column = 0;
  std::vector<AccessibleNode> children;

  AccessibleNode& Add(std::string childKey, AccessibleRole childRole, std::string childName) {
    AccessibleNode& child = children.emplace_back();
    child.key = std::move(childKey);
    child.role = childRole;
    child.name = std::move(childName);
    return child;
  }
  // The part with `wanted` as its key, in this tree; nullptr if none.
  const AccessibleNode* Find(const std::string& wanted) const {
    if (key == wanted) return this;
    for (const AccessibleNode& child : children)
      if (const AccessibleNode* found = child.Find(wanted)) return found;
    return nullptr;
  }
  // The focused part in this tree; nullptr if none.
  const AccessibleNode* FocusedPart() const {
    if (focused) return this;
    for (const AccessibleNode& child : children)
      if (const AccessibleNode* found = child.FocusedPart()) return found;
    return nullptr;
  }
};
