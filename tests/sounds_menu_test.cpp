// The Sounds menu as the frame sees it: through the command router, with
// the view as the target.
#include <gtest/gtest.h>

#include "game/MyKelvoView.h"
#include "platform/cmd_target.h"

TEST(SoundsMenu, GoOffAtStartThenTheItemsSwap) {
  CMyKelvoView view;
  CommandRouter router;
  router.AddTarget(&view);

  EXPECT_TRUE(router.IsEnabled(ID_SOUNDS_GO_OFF));
  EXPECT_FALSE(router.IsEnabled(ID_SOUNDS_GO_ON));
  // A greyed item does nothing, even from an accelerator.
  EXPECT_FALSE(router.Execute(ID_SOUNDS_GO_ON));
  EXPECT_EQ(view.m_bSound, 1);

  EXPECT_TRUE(router.Execute(ID_SOUNDS_GO_OFF));
  EXPECT_EQ(view.m_bSound, 0);
  EXPECT_TRUE(router.IsEnabled(ID_SOUNDS_GO_ON));
  EXPECT_FALSE(router.IsEnabled(ID_SOUNDS_GO_OFF));
  EXPECT_FALSE(router.Execute(ID_SOUNDS_GO_OFF));

  EXPECT_TRUE(router.Execute(ID_SOUNDS_GO_ON));
  EXPECT_EQ(view.m_bSound, 1);
  EXPECT_TRUE(router.IsEnabled(ID_SOUNDS_GO_OFF));
  EXPECT_FALSE(router.IsEnabled(ID_SOUNDS_GO_ON));
}

TEST(SoundsMenu, TheSwitchIsReadForExactlyZeroAndOne) {
  CMyKelvoView view;
  CommandRouter router;
  router.AddTarget(&view);
  view.m_bSound = 2;  // neither on nor off: neither item offers itself
  EXPECT_FALSE(router.IsEnabled(ID_SOUNDS_GO_ON));
  EXPECT_FALSE(router.IsEnabled(ID_SOUNDS_GO_OFF));
}
