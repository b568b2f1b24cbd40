// What a screen reader is told when the view's description changes.
#include "platform/accessibility/accessible_changes.h"

#include <gtest/gtest.h>

namespace {

using Kind = AccessibleChange::Kind;

// A view with a label, and a table of two cells, the first focused.
AccessibleNode Screen() {
  AccessibleNode root;
  root.Add("label", AccessibleRole::kText, "Round 1");
  AccessibleNode& table = root.Add("table", AccessibleRole::kTable, "Square");
  table.Add("a", AccessibleRole::kCell, "8").focused = true;
  table.Add("b", AccessibleRole::kCell, "1");
  return root;
}

AccessibleNode& Child(AccessibleNode& node, int i) {
  return node.children[static_cast<std::size_t>(i)];
}

}  // namespace

TEST(AccessibleChanges, EachChangeOnceTheFocusLast) {
  const AccessibleNode before = Screen();
  EXPECT_TRUE(ChangesBetween(AccessibleNode(), before).empty());
  EXPECT_TRUE(ChangesBetween(before, Screen()).empty());

  AccessibleNode after = Screen();
  after.description = "Enter starts a game.";
  Child(after, 0).name = "Round 2";
  Child(after, 0).description = "the round";
  Child(Child(after, 1), 1).hidden = true;
  Child(Child(after, 1), 0).focused = false;
  Child(Child(after, 1), 1).focused = true;
  Child(Child(after, 1), 1).name = "8 picked";
  after.Add("new", AccessibleRole::kText, "PERFECT!");
  EXPECT_EQ(ChangesBetween(before, after),
            (std::vector<AccessibleChange>{{Kind::kDescriptionChanged, ""},
                                           {Kind::kNameChanged, "label"},
                                           {Kind::kDescriptionChanged, "label"},
                                           {Kind::kNameChanged, "b"},
                                           {Kind::kHidden, "b"},
                                           {Kind::kCreated, "new"},
                                           {Kind::kFocused, "b"}}));
  EXPECT_EQ(ChangesBetween(after, before),
            (std::vector<AccessibleChange>{{Kind::kDescriptionChanged, ""},
                                           {Kind::kNameChanged, "label"},
                                           {Kind::kDescriptionChanged, "label"},
                                           {Kind::kNameChanged, "b"},
                                           {Kind::kShown, "b"},
                                           {Kind::kFocused, "a"}}));

  // Focus that goes away moves nowhere; focus that comes back is told.
  AccessibleNode unfocused = Screen();
  Child(Child(unfocused, 1), 0).focused = false;
  EXPECT_TRUE(ChangesBetween(before, unfocused).empty());
  EXPECT_EQ(ChangesBetween(unfocused, before),
            (std::vector<AccessibleChange>{{Kind::kFocused, "a"}}));
}
