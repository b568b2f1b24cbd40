// The window in another language: the menus' names translated and their
// keys the resource's own, and Qt's own words (the buttons of its dialogs)
// in the game's language.  (The About box: main_window_test.cpp.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QTranslator>

#include "app/MainFrame.h"
#include "app/MyKelvoApp.h"
#include "platform/interface/command_ids.h"
#include "platform/qt/view_widget.h"
#include "support/scripted_modal_ui.h"
#include "support/speaking.h"

TEST(TranslatedWindow, GermanMenusKeepTheResourcesKeys) {
  const Speaking german("de");
  ScriptedModalUI modal;
  CMyKelvoApp app;
  ASSERT_TRUE(app.InitInstance(CommandLine{}));
  QApplication::processEvents();
  EXPECT_EQ(app.Frame()->menuBar()->actions().first()->text(), QStringLiteral("&Datei"));
  QAction* print = app.Frame()->ActionFor(ID_FILE_PRINT);
  EXPECT_EQ(print->text(), QStringLiteral("&Drucken..."));
  EXPECT_EQ(print->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
  // The accelerators are the resource's: Ctrl+O opens the file chooser,
  // captioned in German.
  QTest::keyClick(app.Frame()->View(), Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(modal.fileDialogs.size(), 1u);
  EXPECT_EQ(modal.fileDialogs[0].second, "Öffnen");
}

TEST(TranslatedWindow, QtsOwnWordsFollowTheGamesLanguage) {
  const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
  {
    const Speaking english("");
    UseQtTranslations(*qApp);
    EXPECT_EQ(cancel(), QStringLiteral("Cancel"));
  }
  const Speaking german("de");
  UseQtTranslations(*qApp);
  EXPECT_EQ(cancel(), QStringLiteral("Abbrechen"));
  qDeleteAll(qApp->findChildren<QTranslator*>());
}
