// The real name box on the offscreen platform: what the player sees and can
// type, and what OK and Cancel leave behind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>

#include "certificate/PlayerNameDlg.h"

namespace {

struct PlayerNameDialogTest : testing::Test {
  PlayerNameDialogTest() : savedName(thePlayerNameDlg.m_strPlayerName) {}
  ~PlayerNameDialogTest() override { thePlayerNameDlg.m_strPlayerName = savedName; }

  // Opens the real box; `play` acts on it once it is up.  Whatever `play`
  // leaves open is cancelled, so a test can never hang on the box.
  int RunBox(const std::function<void(QDialog*, QLineEdit*)>& play) {
    found = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      found = true;
      auto* edit = dialog->findChild<QLineEdit*>();
      if (edit) play(dialog, edit);
      if (dialog->isVisible()) dialog->reject();
    });
    return thePlayerNameDlg.DoModal();
  }
  static QPushButton* Button(QDialog* dialog, const QString& text) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
      if (b->text() == text) return b;
    return nullptr;
  }

  std::string savedName;
  bool found = false;
};

TEST_F(PlayerNameDialogTest, OpensWithTheCurrentNameInTheFocusedField) {
  thePlayerNameDlg.m_strPlayerName = "  Ada ";
  QString caption, shown;
  bool focused = false, closeBox = true, okIsDefault = false, explained = false;
  RunBox([&](QDialog* dialog, QLineEdit* edit) {
    caption = dialog->windowTitle();
    shown = edit->text();
    focused = dialog->focusWidget() == edit;
    closeBox = dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint);
    QPushButton* ok = Button(dialog, "OK");
    okIsDefault = ok && ok->isDefault() && Button(dialog, "Cancel");
    for (QObject* child : dialog->children())
      explained |= child->property("text").toString().startsWith("Type in your name below");
  });
  ASSERT_TRUE(found);
  EXPECT_EQ(caption, QStringLiteral("Type You Name"));
  EXPECT_EQ(shown, QStringLiteral("  Ada "));
  EXPECT_TRUE(focused);
  EXPECT_FALSE(closeBox);
  EXPECT_TRUE(okIsDefault);
  EXPECT_TRUE(explained);
}

TEST_F(PlayerNameDialogTest, TypedNameIsStoredWithOkOrEnter) {
  thePlayerNameDlg.m_strPlayerName.clear();
  int answer = RunBox([](QDialog* dialog, QLineEdit* edit) {
    QTest::keyClicks(edit, " Grace Hopper ");
    Button(dialog, "OK")->click();
  });
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, " Grace Hopper ");

  // The field opens with the name selected: End first to add to it.
  answer = RunBox([](QDialog*, QLineEdit* edit) {
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, "!");
    QTest::keyClick(edit, Qt::Key_Return);
  });
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, " Grace Hopper !");
}

TEST_F(PlayerNameDialogTest, ThirtyFirstCharacterCannotBeTyped) {
  thePlayerNameDlg.m_strPlayerName = std::string(29, 'a');
  QString afterTyping;
  const int answer = RunBox([&](QDialog* dialog, QLineEdit* edit) {
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, "bc");
    afterTyping = edit->text();
    Button(dialog, "OK")->click();
  });
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(afterTyping.size(), 30);
  EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, std::string(29, 'a') + "b");
}

TEST_F(PlayerNameDialogTest, TypingIntoAFullFieldChangesNothingWhereverTheCursorIs) {
  const std::string full = "abcdefghijklmnopqrstuvwxyz0123";
  thePlayerNameDlg.m_strPlayerName = full;
  QString afterTyping;
  RunBox([&](QDialog* dialog, QLineEdit* edit) {
    edit->setCursorPosition(0);
    QTest::keyClicks(edit, "Z");
    edit->setCursorPosition(10);
    QTest::keyClicks(edit, "Y");
    afterTyping = edit->text();
    Button(dialog, "OK")->click();
  });
  EXPECT_EQ(afterTyping.toStdString(), full);
  EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, full);
}

TEST_F(PlayerNameDialogTest, TypingOverTheOpeningSelectionReplacesTheName) {
  thePlayerNameDlg.m_strPlayerName = "Ada";
  RunBox([](QDialog* dialog, QLineEdit* edit) {
    QTest::keyClicks(edit, "Grace");
    Button(dialog, "OK")->click();
  });
  EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, "Grace");
}

TEST_F(PlayerNameDialogTest, PasteKeepsOnlyWhatFits) {
  thePlayerNameDlg.m_strPlayerName = std::string(25, 'a') + "z";
  QString afterPaste;
  RunBox([&](QDialog*, QLineEdit* edit) {
    edit->setCursorPosition(25);
    edit->insert(QStringLiteral("0123456789"));
    afterPaste = edit->text();
  });
  EXPECT_EQ(afterPaste.toStdString(), std::string(25, 'a') + "0123z");
}

TEST_F(PlayerNameDialogTest, ThirtyEmojiFitBecauseCharactersAreCounted) {
  QString thirty;
  for (int i = 0; i < 30; ++i) thirty += QString::fromUtf8("🎲");
  thePlayerNameDlg.m_strPlayerName.clear();
  QString afterTyping;
  const int answer = RunBox([&](QDialog* dialog, QLineEdit* edit) {
    edit->insert(thirty);
    QTest::keyClicks(edit, "x");
    afterTyping = edit->text();
    Button(dialog, "OK")->click();
  });
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(afterTyping, thirty);
  EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, thirty.toStdString());
}

TEST_F(PlayerNameDialogTest, CancelOrEscapeKeepsTheOldName) {
  thePlayerNameDlg.m_strPlayerName = "Ada";
  int answer = RunBox([](QDialog* dialog, QLineEdit* edit) {
    edit->clear();
    QTest::keyClicks(edit, "Somebody");
    Button(dialog, "Cancel")->click();
  });
  EXPECT_EQ(answer, IDCANCEL);
  EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, "Ada");

  answer = RunBox([](QDialog*, QLineEdit* edit) {
    QTest::keyClicks(edit, "Else");
    QTest::keyClick(edit, Qt::Key_Escape);
  });
  EXPECT_EQ(answer, IDCANCEL);
  EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, "Ada");

  // And the next time the box opens with the kept name, not the typed one.
  QString shown;
  RunBox([&](QDialog*, QLineEdit* edit) { shown = edit->text(); });
  EXPECT_EQ(shown, QStringLiteral("Ada"));
}

TEST_F(PlayerNameDialogTest, OkWithAnEmptyFieldStoresAnEmptyName) {
  thePlayerNameDlg.m_strPlayerName = "Ada";
  const int answer = RunBox([](QDialog* dialog, QLineEdit* edit) {
    edit->clear();
    Button(dialog, "OK")->click();
  });
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(thePlayerNameDlg.m_strPlayerName, "");
}

}  // namespace
