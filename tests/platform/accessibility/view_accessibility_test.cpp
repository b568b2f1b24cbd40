// A view's description on Qt's accessibility interfaces: a part holding a
// text is read by line and by word, each line placed in its own strip of
// the part.  (Which events reach a screen reader is checked over AT-SPI by
// tools/check-screen-reader: the offscreen platform passes none on.)
#include "platform/accessibility/view_accessibility.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QWidget>

TEST(ViewAccessibility, ATextPartIsReadByLineAndWordEachLineInItsStrip) {
  QWidget widget;
  widget.resize(400, 300);
  AccessibleNode shown;
  shown.role = AccessibleRole::kCanvas;
  AccessibleNode& rules = shown.Add("rules", AccessibleRole::kText, "Rules");
  rules.text = "Swap two numbers.\nPress Enter.\nGo.";
  rules.rect = {0, 30, 300, 60};  // three lines of 10 pixels
  shown.Add("label", AccessibleRole::kText, "Round 1").rect = {0, 0, 100, 20};
  ViewAccessibility accessibility(&widget, [&](AccessibleNode& root) { root = shown; });

  QAccessibleInterface* view = QAccessible::queryAccessibleInterface(&widget);
  ASSERT_TRUE(view);
  ASSERT_GE(view->childCount(), 2);                     // and, before Qt 6.8, the notifications
  EXPECT_EQ(view->child(1)->textInterface(), nullptr);  // a name says it all
  QAccessibleInterface* part = view->child(0);
  EXPECT_TRUE(part->state().multiLine);
  QAccessibleTextInterface* text = part->textInterface();
  ASSERT_TRUE(text);
  EXPECT_EQ(text->characterCount(), 34);
  int start = -1;
  int end = -1;
  EXPECT_EQ(text->textAtOffset(20, QAccessible::LineBoundary, &start, &end), "Press Enter.\n");
  EXPECT_EQ(start, 18);
  EXPECT_EQ(end, 31);
  EXPECT_EQ(text->textAtOffset(6, QAccessible::WordBoundary, &start, &end), "two");

  // Line 2 of 3 lies in the middle strip; a point there finds its start.
  EXPECT_EQ(text->characterRect(20), accessibility.ScreenRect({0, 40, 300, 50}));
  EXPECT_EQ(text->characterRect(34), QRect());
  EXPECT_EQ(text->offsetAtPoint(accessibility.ScreenRect({10, 52, 11, 53}).topLeft()), 31);
  EXPECT_EQ(text->offsetAtPoint(accessibility.ScreenRect({10, 5, 11, 6}).topLeft()), -1);
}
