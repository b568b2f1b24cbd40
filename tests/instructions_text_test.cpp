#include <gtest/gtest.h>

#include <algorithm>

#include "game/MyKelvoView.h"

TEST(InstructionsText, RulesAndHintsAreTheGamesOwnWords) {
  CMyKelvoView view;
  // Four paragraphs: three line feeds and no blank line.
  EXPECT_EQ(view.m_strInstructions.size(), 1526u);
  EXPECT_EQ(std::count(view.m_strInstructions.begin(), view.m_strInstructions.end(), '\n'), 3);
  EXPECT_EQ(view.m_strInstructions.find("\n\n"), std::string::npos);
  EXPECT_NE(view.m_strInstructions.find("you'll get 100 poins."), std::string::npos);
  EXPECT_EQ(view.m_strInstructions.rfind("\nTo exit at any time, press the Alt and F4 keys."),
            view.m_strInstructions.size() - 48);

  EXPECT_EQ(view.m_strHints.size(), 855u);
  EXPECT_EQ(view.m_strHints.rfind("HINTS: To help you", 0), 0u);
  EXPECT_NE(view.m_strHints.find("press the Enter key. \n\nREGISTER:"), std::string::npos);
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
