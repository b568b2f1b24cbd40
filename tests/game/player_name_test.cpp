// Register > "Enter Your Name" and the rules that make the name and the
// certificate available, driven through the view's command table with the
// name box answered by a script.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "certificate/PlayerNameDlg.h"
#include "game/MyKelvoView.h"
#include "platform/interface/cmd_target.h"
#include "platform/interface/command_ids.h"
#include "platform/interface/virtual_keys.h"
#include "res/resource_ids.h"
#include "support/headless_host.h"
#include "support/scripted_modal_ui.h"

namespace {

constexpr COLORREF kMagenta = RGB(0xFF, 0x00, 0xFF);

struct PlayerNameTest : testing::Test {
  PlayerNameTest() : host(1024, 700, {.record = true}) {
    savedName = thePlayerNameDlg.m_strPlayerName;
    thePlayerNameDlg.m_strPlayerName.clear();
    view.m_bSound = FALSE;
    host.Attach(&view);
    host.Paint();
    host.ClearRecorded();
    router.AddTarget(&view);
  }
  ~PlayerNameTest() override { thePlayerNameDlg.m_strPlayerName = savedName; }

  // The name box answered with OK (or `answer`) after the player typed `text`.
  void EnterName(const std::string& text, int answer = IDOK) {
    modal.dialogAnswer = answer;
    modal.editDialog = [text](std::map<int, std::string>& controls) {
      controls[IDC_PLAYER_NAME] = text;
    };
    EXPECT_TRUE(router.Execute(ID_REGISTER_ENTER_NAME));
  }
  void FinishPerfectGame() {
    view.m_nGameState = kStateGameOver;
    view.m_nBonus[kTotalSlot] = kPerfectBonus;
  }
  bool CanPrint() const { return router.IsEnabled(ID_FILE_PRINT); }

  std::string savedName;
  ScriptedModalUI modal;
  CMyKelvoView view;
  HeadlessHost host;
  CommandRouter router;
};

TEST_F(PlayerNameTest, PrintingNeedsANameAndAPerfectGame) {
  EXPECT_FALSE(CanPrint());  // fresh start: no name, no game
  thePlayerNameDlg.m_strPlayerName = "Ada";
  EXPECT_FALSE(CanPrint());  // a name but no perfect game yet
  thePlayerNameDlg.m_strPlayerName.clear();
  FinishPerfectGame();
  EXPECT_FALSE(CanPrint());  // a perfect game but no name

  // One bonus short of perfect is not enough.
  view.m_nBonus[kTotalSlot] = kPerfectBonus - 10;
  thePlayerNameDlg.m_strPlayerName = "Ada";
  EXPECT_FALSE(CanPrint());
  // A disabled print command does nothing, from the menu or from Ctrl+P.
  EXPECT_FALSE(router.Execute(ID_FILE_PRINT));
  EXPECT_TRUE(modal.printDialogs.empty());

  // The state does not matter, only the name and the total.
  FinishPerfectGame();
  for (int state : {kStateIdle, kStateSwapPeriod, kStateRest, kStateGameOver}) {
    view.m_nGameState = state;
    EXPECT_TRUE(CanPrint()) << "state " << state;
  }
}

TEST_F(PlayerNameTest, NameEnteredAfterAPerfectGameEnablesPrintingUntilTheNextGame) {
  FinishPerfectGame();
  EXPECT_FALSE(CanPrint());
  EnterName("Ada");
  EXPECT_TRUE(CanPrint());
  // Said, with what the name now allows.
  EXPECT_EQ(host.Announced(),
            std::vector<std::string>{"Ada registered. Ctrl+P prints your certificate."});
  // Clearing the name takes it away, entering one again brings it back.
  EnterName("");
  EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, "");
  EXPECT_FALSE(CanPrint());
  EXPECT_EQ(host.Announced().back(), "Name cleared.");
  EnterName("Grace");
  EXPECT_TRUE(CanPrint());

  // Enter starts a new game, which clears the bonus total.
  view.OnKeyDown(VK_RETURN, 1, 0);
  EXPECT_EQ(view.m_nGameState, kStateSwapPeriod);
  EXPECT_FALSE(CanPrint());
}

TEST_F(PlayerNameTest, NameCommandOnlyBeforeOrAfterAGame) {
  const std::pair<int, bool> rules[] = {
      {kStateIdle, true}, {kStateSwapPeriod, false}, {kStateRest, false}, {kStateGameOver, true}};
  for (const auto& [state, enabled] : rules) {
    view.m_nGameState = state;
    EXPECT_EQ(router.IsEnabled(ID_REGISTER_ENTER_NAME), enabled) << "state " << state;
  }
  // Greyed means it cannot be carried out either (its accelerator neither).
  view.m_nGameState = kStateSwapPeriod;
  EXPECT_FALSE(router.Execute(ID_REGISTER_ENTER_NAME));
  EXPECT_TRUE(modal.dialogsRun.empty());
}

TEST_F(PlayerNameTest, OkStoresTheNameAndRedrawsThePlayerLineAtOnce) {
  EnterName("  Ada Lovelace ");
  EXPECT_EQ(modal.dialogsRun, std::vector<UINT>{IDD_PLAYER_NAME});
  EXPECT_EQ(modal.limits[IDC_PLAYER_NAME], 30);
  // Spaces are kept as typed.
  EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, "  Ada Lovelace ");
  EXPECT_EQ(view.m_strPlayerLabel, "Player:   Ada Lovelace ");

  const std::vector<DrawCall>& calls = host.Recorded();
  ASSERT_FALSE(calls.empty());
  size_t fill = calls.size(), text = calls.size();
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].kind == DrawCall::kFillRect && calls[i].rect == view.m_rcPlayerLabel) fill = i;
    if (calls[i].kind == DrawCall::kDrawText) text = i;
  }
  ASSERT_LT(fill, calls.size());
  ASSERT_LT(text, calls.size());
  EXPECT_LT(fill, text);  // the old line is cleared first
  EXPECT_EQ(calls[fill].color, RGB(0xFF, 0xFF, 0xFF));
  const DrawCall& line = calls[text];
  EXPECT_EQ(line.text, "Player:   Ada Lovelace ");
  EXPECT_EQ(line.rect, view.m_rcPlayerLabel);
  EXPECT_EQ(line.format, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EXPECT_EQ(line.color, kMagenta);
  EXPECT_EQ(line.bkMode, TRANSPARENT);
  ASSERT_TRUE(line.hasFont);
  EXPECT_EQ(line.font, view.m_fontLabel.logFont());
  EXPECT_EQ(calls.back().kind, DrawCall::kSetTextColor);
  EXPECT_EQ(calls.back().color, RGB(0, 0, 0));

  // The next paint draws the same line.
  host.ClearRecorded();
  host.Paint();
  int drawn = 0;
  for (const DrawCall& c : host.Recorded())
    drawn += c.kind == DrawCall::kDrawText && c.text == "Player:   Ada Lovelace ";
  EXPECT_EQ(drawn, 1);
}

TEST_F(PlayerNameTest, CancelKeepsTheOldNameAndLine) {
  EnterName("Ada");
  host.ClearRecorded();
  host.ClearAnnounced();
  EnterName("Somebody Else", IDCANCEL);
  EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, "Ada");
  EXPECT_EQ(view.m_strPlayerLabel, "Player: Ada");
  EXPECT_TRUE(host.Recorded().empty());
  EXPECT_TRUE(host.Announced().empty());
}

TEST_F(PlayerNameTest, OkWithAnEmptyFieldStoresAnEmptyName) {
  EnterName("Ada");
  // No perfect game: nothing to print yet.
  EXPECT_EQ(host.Announced(), std::vector<std::string>{"Ada registered."});
  EnterName("");
  EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, "");
  EXPECT_EQ(view.m_strPlayerLabel, "Player: ");
}

// The limit counts characters, not bytes: 30 of four bytes each, control
// characters among them, are stored as typed; one more is refused.
TEST_F(PlayerNameTest, ThirtyCharactersOfAnyKindAreStoredAndATooLongNameIsRefused) {
  std::string name = "A\tB\x01";
  for (int i = 4; i < 30; ++i) name += "🎲";
  EnterName(name);
  EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, name);
  EXPECT_EQ(view.m_strPlayerLabel, "Player: " + name);
  EXPECT_TRUE(modal.boxes.empty());
  host.ClearRecorded();
  // 31 characters, as a paste or another input method might deliver.
  EnterName(name + "!");
  EXPECT_TRUE(modal.refusedOk);
  ASSERT_EQ(modal.boxes.size(), 1u);
  EXPECT_EQ(modal.boxes[0].text, "Please enter no more than 30 characters.");
  EXPECT_EQ(modal.boxes[0].style & 0xF0, MB_ICONEXCLAMATION);
  // The refusal keeps the box open; the player then cancels: nothing changed.
  EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, name);
  EXPECT_EQ(view.m_strPlayerLabel, "Player: " + name);
  EXPECT_TRUE(host.Recorded().empty());
}

}  // namespace
