// The Sounds menu as the frame sees it: through the command router, with
// the view as the target.
#include <gtest/gtest.h>

#include "game/MyKelvoView.h"
#include "platform/interface/cmd_target.h"
#include "sound/sound_ids.h"
#include "support/game_play.h"

TEST(SoundsMenu, GoOffAtStartThenTheItemsSwapAndEachChoiceIsSaid) {
  GameTable table;
  CMyKelvoView& view = table.view;
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
  // The menu has closed and shows nothing: a screen reader says the choice.
  EXPECT_EQ(table.host.Announced(), (std::vector<std::string>{"GO sound off.", "GO sound on."}));
}

TEST(SoundsMenu, TheSwitchIsReadForExactlyZeroAndOne) {
  CMyKelvoView view;
  CommandRouter router;
  router.AddTarget(&view);
  view.m_bSound = 2;  // neither on nor off: neither item offers itself
  EXPECT_FALSE(router.IsEnabled(ID_SOUNDS_GO_ON));
  EXPECT_FALSE(router.IsEnabled(ID_SOUNDS_GO_OFF));
}

TEST(SoundsMenu, GoOffSilencesOnlyTheRoundStart) {
  GameTable table;
  CommandRouter router;
  router.AddTarget(&table.view);
  ASSERT_TRUE(router.Execute(ID_SOUNDS_GO_OFF));
  table.Enter();
  EXPECT_EQ(table.view.m_nGameState, kStateSwapPeriod);
  EXPECT_TRUE(table.cues.plays.empty());
  table.Drag(5, 5);  // a refusal still sounds
  EXPECT_EQ(table.cues.Ids(), std::vector<UINT>{IDR_SOUND_REFUSED});
  table.cues.Clear();
  for (int round = 1; round <= 10; ++round) {
    table.PlayRound(/*magic=*/true);
    if (round < 10) {
      ASSERT_TRUE(table.host.Clock().FireNext(kRestTimer));
    }
  }
  ASSERT_EQ(table.view.m_nGameState, kStateGameOver);
  // The end of the game and the perfect game still sound, the first waited for.
  ASSERT_EQ(table.cues.Ids(), (std::vector<UINT>{IDR_SOUND_GAME_OVER, IDR_SOUND_PERFECT}));
  EXPECT_TRUE(table.cues.plays[0].waited);
  EXPECT_FALSE(table.cues.plays[1].waited);
}
