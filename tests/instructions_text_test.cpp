#include <gtest/gtest.h>

#include <string>

#include "game/MyKelvoView.h"

// The whole of both texts, character for character: a lost space at the end
// of a line, a "corrected" typo or a changed line feed all show on screen.
TEST(InstructionsText, RulesAndHintsAreTheGamesOwnWords) {
  CMyKelvoView view;
  const std::string rules =
      "The square to your left will have two numbers that are out of place. Swap them to make "
      "a magic square -- one whose rows, columns, and diagonals add up to 15. If you succeed, "
      "you'll get 100 poins. If you come closer than you started, you'll get 30 points. "
      "Otherwise you'll get no points. \n"
      "To start a game or a round, press the Enter key. You'll have about 10 seconds to swap "
      "two numbers, which is done by the click and drag method. Once you start, you should "
      "complete the 10 rounds that make up a game. After you swap, you'll see the results and "
      "you'll have a short rest (about 15 seconds) before the next round. \n"
      "To determine whether or not a swap results in an improvement, the difference between 15 "
      "and the sum of the numbers in each row, column, and diagonal (blue number) is squared. "
      "These eight squared differences (red numbers) are added together. This computation is "
      "done before and after your swap. If the 'after' sum is zero, you've got a magic square, "
      "worth 100 points. If the 'after' sum is less than the 'before' sum, you've made an "
      "improvement, worth 30 points. Any other result does not get you any points. Two magic "
      "squares in a row will get you a 10-point bonus. Three in a row will get you another "
      "20-point bonus. Four in a row will get you another 40 points, and so on. If you get all "
      "ten, your bonuses will be 10 + 20 + 40 ... + 2560 for a total of 5110 bonus points. If "
      "you play a perfect game, you'll get 6110 points overall. Press F1 for more information. "
      "\n"
      "To exit at any time, press the Alt and F4 keys.";
  const std::string hints =
      "HINTS: To help you get higher scores, remember the following: \n"
      "-  The 5 should always be in the center. \n"
      "-  The corners should always be even numbers. \n"
      "-  The 8 and the 2 are always on opposite corners of the square. \n"
      "-  The 6 and the 4 are always on opposite corners of the square. \n"
      "-  A single swap is all that is needed/allowed. \n"
      "\n"
      "RESTING: After a round ends, there will be a short rest period of about 15 seconds. If "
      "you want to start the next round sooner, press the Enter key. \n"
      "\n"
      "REGISTER: You can register before a game starts or after it ends. The player name will "
      "appear above the instructions that are always on the screen. If you get a perfect game "
      "with an overall score of 6110, and you are registered, then you can print a certificate "
      "to that effect. If you are not registered, you may still do so at this time and then "
      "print the certificate. ";
  EXPECT_EQ(view.m_strInstructions, rules);
  EXPECT_EQ(view.m_strHints, hints);
  EXPECT_EQ(view.m_strPlayerLabel, "Player: ");
}

TEST(GameState, FreshViewIsIdleWithSoundOnAndNothingToPrint) {
  CMyKelvoView view;
  EXPECT_EQ(view.m_nGameState, 0);
  EXPECT_EQ(view.m_bSound, TRUE);
  EXPECT_EQ(view.m_nBonus[11], 0);
  EXPECT_EQ(view.m_nDragFrom, -1);
  EXPECT_EQ(view.m_rcBanner, RECT{});
  EXPECT_TRUE(view.m_strRoundLabel.empty());
  EXPECT_TRUE(view.m_strBeforeLabel.empty());
  EXPECT_TRUE(view.m_strAfterLabel.empty());
  // Pens and brushes exist from the start; fonts come with the first paint.
  EXPECT_NE(view.m_penGuide.GetSafeHandle(), nullptr);
  EXPECT_EQ(view.m_penGuide.color(), RGB(0xC0, 0xAC, 0x00));
  EXPECT_EQ(view.m_penCertificate.width(), 4);
  EXPECT_EQ(view.m_brCell[5].color(), RGB(0xFA, 0xFA, 0x00));
  EXPECT_EQ(view.m_fontCell.GetSafeHandle(), nullptr);
}
