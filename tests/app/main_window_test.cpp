// The real main window on the offscreen platform: menus, accelerators,
// focus and the About box (in English and in Russian).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <tuple>

#include "app/AppSettings.h"
#include "app/MainFrame.h"
#include "app/MyKelvoApp.h"
#include "app/MyKelvoDoc.h"
#include "game/MyKelvoView.h"
#include "platform/interface/command_ids.h"
#include "platform/qt/view_widget.h"
#include "res/main_menu.h"
#include "support/fifo_watchdog.h"
#include "support/game_play.h"
#include "support/scripted_modal_ui.h"
#include "support/speaking.h"

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.InitInstance(CommandLine{}));
    QApplication::processEvents();
  }
  ScriptedModalUI modal;
  CMyKelvoApp app;
};

}  // namespace

// Each menu looks exactly as a menu built from the resource's texts does
// ("&Print...\tCtrl+P" shows its shortcut at the right), item for item,
// greyed where the game's is, and each item carries its command.
TEST_F(MainWindowTest, MenusShowTheResourcesItemsAndCarryTheirCommands) {
  const QList<QAction*> titles = app.Frame()->menuBar()->actions();
  const MenuResource& resource = MainMenu();
  ASSERT_EQ(titles.size(), static_cast<qsizetype>(resource.size()));
  for (std::size_t m = 0; m < resource.size(); ++m) {
    EXPECT_EQ(titles[m]->text(), QString::fromUtf8(resource[m].text));
    QMenu* shown = titles[m]->menu();
    QMenu expected;
    expected.setStyle(shown->style());
    expected.setSeparatorsCollapsible(false);
    const QList<QAction*> items = shown->actions();
    ASSERT_EQ(items.size(), static_cast<qsizetype>(resource[m].items.size()));
    for (std::size_t i = 0; i < resource[m].items.size(); ++i) {
      const MenuItemResource& item = resource[m].items[i];
      EXPECT_EQ(items[i]->data().toUInt(), item.id);
      if (!item.text) {
        expected.addSeparator();
        continue;
      }
      expected.addAction(QString::fromUtf8(item.text))->setEnabled(items[i]->isEnabled());
    }
    EXPECT_EQ(shown->grab().toImage(), expected.grab().toImage()) << resource[m].text;
  }
}

// The colours down the middle of the picture from row `top` to row
// `bottom`, a run of rows of one colour counted once.
std::vector<QRgb> ColourRuns(const QImage& image, int top, int bottom) {
  std::vector<QRgb> runs;
  for (int y = top; y <= bottom; ++y) {
    const QRgb colour = image.pixel(image.width() / 2, y);
    if (runs.empty() || runs.back() != colour) runs.push_back(colour);
  }
  return runs;
}

// Each separator of the File menu, the leading one too, is a line of its own:
// between the menu's border (or the item above) and the item below, a line
// with the menu's background on both sides.
TEST_F(MainWindowTest, EverySeparatorOfTheFileMenuIsDrawnAsALineOfItsOwn) {
  QMenu* file = app.Frame()->menuBar()->actions().first()->menu();
  file->ensurePolished();
  file->adjustSize();
  const QImage image = file->grab().toImage();
  const QList<QAction*> items = file->actions();
  ASSERT_EQ(items.size(), 5);
  for (int i = 0; i < items.size(); ++i) {
    if (!items[i]->isSeparator()) continue;
    const int top = i == 0 ? 0 : file->actionGeometry(items[i - 1]).bottom() + 1;
    const QRect separator = file->actionGeometry(items[i]);
    const std::vector<QRgb> runs = ColourRuns(image, top, separator.bottom());
    // From the top of the menu: its border, background, the line, background.
    const std::size_t first = i == 0 ? 1 : 0;
    ASSERT_GE(runs.size(), first + 3) << "separator " << i << " has no line of its own";
    EXPECT_EQ(runs[first], runs[first + 2]) << "separator " << i;
    EXPECT_NE(runs[first], runs[first + 1]) << "separator " << i;
  }
}

TEST_F(MainWindowTest, StartsMaximizedWithTheViewFocusedAndPainted) {
  EXPECT_TRUE(app.Frame()->windowState() & Qt::WindowMaximized);
  EXPECT_FALSE(app.Frame()->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(app.Frame()->windowFlags() & Qt::WindowMinMaxButtonsHint);
  EXPECT_EQ(QApplication::focusWidget(), app.Frame()->View());
  EXPECT_EQ(app.Document()->GetTitle(), "Untitled");
  // The view draws the caption at every paint.
  EXPECT_NE(app.Frame()->windowTitle().toStdString().find(" -- Version D608"), std::string::npos);
  // The icon comes just after the first frame.
  QElapsedTimer clock;
  clock.start();
  while (app.Frame()->windowIcon().isNull() && clock.elapsed() < 5000)
    QApplication::processEvents();
  EXPECT_FALSE(app.Frame()->windowIcon().isNull());
}

TEST_F(MainWindowTest, DisabledCommandsKeysDoNothingEditKeysAreInertAndNewLeavesTheGame) {
  app.View()->m_nGameState = 3;
  // Nothing to print before a perfect game: Ctrl+P must not reach printing.
  QTest::keyClick(app.Frame()->View(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(modal.printDialogs.empty());
  EXPECT_FALSE(app.Frame()->ActionFor(ID_FILE_PRINT)->isEnabled());
  // Edit and pane keys have no handler at all.
  for (UINT id : {ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_UNDO, ID_NEXT_PANE})
    EXPECT_FALSE(app.Router().IsEnabled(id)) << id;
  QTest::keyClick(app.Frame()->View(), Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(app.Frame()->View(), Qt::Key_F6);
  // A new document leaves the game as it is.
  QTest::keyClick(app.Frame()->View(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(app.View()->m_nGameState, 3);
  EXPECT_EQ(app.Document()->GetTitle(), "Untitled");
  EXPECT_TRUE(modal.boxes.empty());
}

TEST_F(MainWindowTest, OpenTakesTheFileNameAndAMissingFileChangesNothing) {
  modal.chosenFile = "/nonexistent/dir/game.kelv";
  QTest::keyClick(app.Frame()->View(), Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(modal.fileDialogs.size(), 1u);
  EXPECT_EQ(modal.fileDialogs[0].second, "Open");
  ASSERT_EQ(modal.boxes.size(), 1u);
  EXPECT_NE(modal.boxes[0].text.find("/nonexistent/dir/game.kelv"), std::string::npos);
  EXPECT_EQ(app.Document()->GetTitle(), "Untitled");

  modal.chosenFile = std::string(KELVO_SOURCE_DIR) + "/README.md";
  QTest::keyClick(app.Frame()->View(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(app.Document()->GetTitle(), "README.md");
  EXPECT_EQ(modal.boxes.size(), 1u);
}

// Help > About opens the real box from the application's own template, its
// version line translated and whole.
TEST(AboutBox, RealDialogShowsVersionAndClosesWithEscape) {
  for (const auto& [language, title, version] :
       {std::tuple{"", "About Kelvo", "Kelvo Version D608"},
        {"ru", "О программе Kelvo", "Kelvo, версия D608"}}) {
    SCOPED_TRACE(language);
    const Speaking speaking(language);
    CMyKelvoApp app;
    ASSERT_TRUE(app.InitInstance(CommandLine{}));
    bool seen = false;
    bool versionShown = false;
    // The real Qt dialog: find it once it is up, check it, press Escape
    // (whatever its title, so that a wrong one fails rather than hangs).
    QTimer::singleShot(0, [&] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || !qobject_cast<QDialog*>(w)) continue;
        seen = w->windowTitle() == QString::fromUtf8(title);
        // The template's 8-point face, in its metric-compatible stand-in.
        EXPECT_EQ(w->font().family(), "Liberation Sans");
        EXPECT_EQ(w->font().pointSize(), 8);
        EXPECT_FALSE(w->windowFlags() & Qt::WindowMinMaxButtonsHint);
        for (QLabel* label : w->findChildren<QLabel*>()) {
          versionShown |= label->text() == QString::fromUtf8(version);
          // No text is cut off, at its end or by the dialog's edge.
          EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
              << label->text().toStdString();
          EXPECT_TRUE(w->rect().contains(label->geometry())) << label->text().toStdString();
        }
        QTest::keyClick(w, Qt::Key_Escape);
      }
    });
    app.Frame()->ActionFor(ID_APP_ABOUT)->trigger();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(versionShown);
  }
}

TEST(StartUp, AFileThatCannotBeOpenedEndsStartUpWithOneMessage) {
  QTemporaryDir dir;
  FifoWatchdog fifo((dir.path() + "/pipe").toStdString());
  ASSERT_TRUE(fifo.Created());
  for (const std::string& path : {std::string("/nonexistent/kelvo/start.kelv"), fifo.Path()}) {
    ScriptedModalUI modal;
    CMyKelvoApp app;
    CommandLine cl;
    cl.documentPath = path;
    fifo.Arm();
    EXPECT_FALSE(app.InitInstance(cl));
    EXPECT_FALSE(fifo.Disarm()) << "start-up blocked on " << path;
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_NE(modal.boxes[0].text.find(path), std::string::npos);
    EXPECT_FALSE(app.Frame()->isVisible());
  }
}

// The keyboard alone, with the real name box, under a style that gives the
// menu bar keyboard navigation (Windows) and one that does not: F10 only
// selects the menu bar, Escape gives the keys back, and after the name box
// the view has them again, so Return starts a game.
class NoMenuBarKeyboardStyle : public QProxyStyle {
 public:
  NoMenuBarKeyboardStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_MenuBar_AltKeyNavigation) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

class KeyboardOnly : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    m_style = QApplication::style()->name();
    QStyle* style = std::string(GetParam()) == "Windows" ? QStyleFactory::create("Windows")
                                                         : new NoMenuBarKeyboardStyle;
    ASSERT_NE(style, nullptr);
    QApplication::setStyle(style);
    ASSERT_EQ(QApplication::style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation) != 0,
              std::string(GetParam()) == "Windows");
  }
  void TearDown() override { QApplication::setStyle(m_style); }
  QString m_style;
};

TEST_P(KeyboardOnly, F10SelectsTheMenuBarAndTheKeysComeBackToTheView) {
  CueRecorder cues;
  CMyKelvoApp app;
  ASSERT_TRUE(app.InitInstance(CommandLine{}));
  QApplication::processEvents();
  QMenuBar* bar = app.Frame()->menuBar();
  auto key = [](Qt::Key k) {
    QWidget* target = QApplication::activePopupWidget();
    if (!target) target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, k);
  };

  const QRect fileTitle = bar->actionGeometry(bar->actions().first());
  const QImage unselected = bar->grab(fileTitle).toImage();
  key(Qt::Key_F10);
  EXPECT_EQ(QApplication::focusWidget(), bar);
  ASSERT_NE(bar->activeAction(), nullptr);
  EXPECT_EQ(bar->activeAction()->text(), "&File");
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "F10 opened a menu";
  EXPECT_NE(bar->grab(fileTitle).toImage(), unselected) << "the selected title looks the same";
  key(Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), app.Frame()->View());
  EXPECT_EQ(bar->activeAction(), nullptr);

  // An accelerator while the menu bar is selected: its dialog (the real Open
  // box, cancelled) leaves the keys with the view, not the menu bar.
  key(Qt::Key_F10);
  bool openBoxSeen = false;
  QTimer::singleShot(0, [&] {
    if (QWidget* box = QApplication::activeModalWidget()) {
      openBoxSeen = true;
      qobject_cast<QDialog*>(box)->reject();
    }
  });
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_TRUE(openBoxSeen);
  EXPECT_EQ(QApplication::focusWidget(), app.Frame()->View());

  key(Qt::Key_F10);
  key(Qt::Key_Right);
  key(Qt::Key_Right);
  ASSERT_NE(bar->activeAction(), nullptr);
  EXPECT_EQ(bar->activeAction()->text(), "Register");
  key(Qt::Key_Down);
  ASSERT_NE(QApplication::activePopupWidget(), nullptr) << "Down did not open the menu";

  bool typed = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    QTest::keyClicks(dialog->focusWidget(), "Ada");
    typed = true;
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    if (dialog->isVisible()) dialog->reject();
  });
  key(Qt::Key_Return);
  QApplication::processEvents();
  ASSERT_TRUE(typed) << "the name box did not open";
  EXPECT_EQ(app.View()->m_strPlayerLabel, "Player: Ada");
  EXPECT_EQ(QApplication::focusWidget(), app.Frame()->View());

  key(Qt::Key_Return);
  EXPECT_EQ(app.View()->m_nGameState, kStateSwapPeriod);
}

INSTANTIATE_TEST_SUITE_P(Styles, KeyboardOnly,
                         ::testing::Values("Windows", "WithoutMenuBarNavigation"),
                         [](const auto& info) { return std::string(info.param); });

// A swap period chosen with the game's keys is kept for the next start,
// written with the settings at exit; one not changed is not written.
TEST_F(MainWindowTest, ASwapPeriodChosenInTheGameIsKeptAtExit) {
  app.ExitInstance();
  EXPECT_EQ(AppSettings().Value(kSwapSecondsKey), std::nullopt);
  QTest::keyClick(app.Frame()->View(), Qt::Key_Plus);
  app.ExitInstance();
  SettingsStore written;
  std::string why;
  ASSERT_TRUE(written.Load(*SettingsFilePath(), {kSwapSecondsKey}, &why)) << why;
  EXPECT_EQ(written.Value(kSwapSecondsKey), "20");
  // The other tests start with the usual period.
  AppSettings().Remove(kSwapSecondsKey);
  SaveAppSettings();
}
