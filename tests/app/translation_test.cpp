// The window in another language: the menus' names translated and their
// keys the resource's own, the About box's version line translated and
// whole, and Qt's own words (the buttons of its dialogs) in the game's
// language.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
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

TEST(TranslatedWindow, RussianAboutBoxShowsItsWholeVersionLine) {
  const Speaking russian("ru");
  CMyKelvoApp app;
  ASSERT_TRUE(app.InitInstance(CommandLine{}));
  bool versionShown = false;
  QTimer::singleShot(0, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible() || w->windowTitle() != QStringLiteral("О программе Kelvo")) continue;
      for (QLabel* label : w->findChildren<QLabel*>()) {
        if (label->text() != QStringLiteral("Kelvo, версия D608")) continue;
        versionShown = true;
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
        EXPECT_TRUE(w->rect().contains(label->geometry()));
      }
      QTest::keyClick(w, Qt::Key_Escape);
    }
  });
  app.Frame()->ActionFor(ID_APP_ABOUT)->trigger();
  EXPECT_TRUE(versionShown);
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
