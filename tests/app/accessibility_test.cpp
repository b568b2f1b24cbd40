// The real window as Qt's accessibility layer shows it to a screen reader
// (on the offscreen platform; tools/check-screen-reader reads it over AT-SPI):
// the view as a tree of parts, the events a reader is sent as the game
// goes, menu items named without their shortcut text and greyed ones
// reached by the arrow keys, the name box's field and the print dialog's
// printer box and file button labelled.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/MyKelvoApp.h"
#include "certificate/PlayerNameDlg.h"
#include "game/MyKelvoView.h"
#include "game/spoken_text.h"
#include "platform/interface/command_ids.h"
#include "platform/interface/print_info.h"
#include "platform/qt/qt_modal_ui.h"
#include "platform/qt/view_widget.h"
#include "screen/instructions_text.h"
#include "support/game_play.h"
#include "support/scripted_modal_ui.h"

namespace {

QAccessibleInterface* ChildNamed(QAccessibleInterface* parent, const QString& name) {
  for (int i = 0; i < parent->childCount(); ++i)
    if (QAccessibleInterface* child = parent->child(i);
        child && child->text(QAccessible::Name) == name)
      return child;
  return nullptr;
}

QAccessibleInterface* ChildWithRole(QAccessibleInterface* parent, QAccessible::Role role) {
  for (int i = 0; i < parent->childCount(); ++i)
    if (QAccessibleInterface* child = parent->child(i); child && child->role() == role)
      return child;
  return nullptr;
}

class AccessibleWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.InitInstance(CommandLine{}));
    QApplication::processEvents();
    app.View()->SeedRandom(12345);
  }
  ViewWidget* Widget() { return app.Frame()->View(); }
  QAccessibleInterface* ViewInterface() { return QAccessible::queryAccessibleInterface(Widget()); }

  ScriptedModalUI modal;
  CueRecorder cues;
  CMyKelvoApp app;
};

}  // namespace

TEST_F(AccessibleWindowTest, TheViewIsACanvasOfNamedPartsThatFollowTheGame) {
  QAccessibleInterface* view = ViewInterface();
  ASSERT_TRUE(view);
  EXPECT_EQ(view->role(), QAccessible::Canvas);
  EXPECT_EQ(view->text(QAccessible::Name), "Game");
  // The help, with the view's first focus.
  EXPECT_TRUE(view->text(QAccessible::Description).startsWith("Enter starts a game."));
  // The window is named by the game's title, not by its caption's clock.
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(app.Frame());
  ASSERT_TRUE(window);
  EXPECT_EQ(window->text(QAccessible::Name), "Kelvo");
  EXPECT_NE(app.Frame()->windowTitle(), "Kelvo");

  QAccessibleInterface* square = ChildNamed(view, "Example square");
  ASSERT_TRUE(square);
  EXPECT_EQ(square->role(), QAccessible::Table);
  EXPECT_EQ(square->parent(), view);
  ASSERT_TRUE(square->tableInterface());
  EXPECT_EQ(square->tableInterface()->rowCount(), 3);
  EXPECT_EQ(square->tableInterface()->columnCount(), 3);
  QAccessibleInterface* centre = square->tableInterface()->cellAt(1, 1);
  ASSERT_TRUE(centre);
  EXPECT_EQ(centre->role(), QAccessible::Cell);
  EXPECT_EQ(centre->text(QAccessible::Name), "2");
  EXPECT_EQ(centre->parent(), square);
  EXPECT_EQ(square->indexOfChild(centre), 4);
  ASSERT_TRUE(centre->tableCellInterface());
  EXPECT_EQ(centre->tableCellInterface()->rowIndex(), 1);
  EXPECT_EQ(centre->tableCellInterface()->columnIndex(), 1);
  // Where the cell is drawn, on the screen.
  const RECT& r = app.View()->m_rcCell[5];
  const qreal ratio = Widget()->devicePixelRatioF();
  const QPoint middle =
      Widget()->mapToGlobal(QPoint(static_cast<int>((r.left + r.right) / 2 / ratio),
                                   static_cast<int>((r.top + r.bottom) / 2 / ratio)));
  EXPECT_TRUE(centre->rect().contains(middle));
  EXPECT_EQ(square->childAt(middle.x(), middle.y()), centre);

  // The rules, as a text to read by line and by word.
  QAccessibleInterface* rules = ChildNamed(view, "Rules");
  ASSERT_TRUE(rules);
  EXPECT_EQ(rules->role(), QAccessible::StaticText);
  ASSERT_TRUE(rules->textInterface());
  EXPECT_EQ(rules->textInterface()->characterCount(),
            static_cast<int>(BuildRulesForReader().size()));
  QAccessibleInterface* scores = ChildNamed(view, "Score table");
  ASSERT_TRUE(scores);
  EXPECT_TRUE(scores->state().invisible);  // not drawn before the first game

  // Played through the window's own keys: the same parts show the round's
  // square, the cursor's cell has the focus while a swap can be made (once
  // the cursor keys are used), and what was said last stays there to be
  // read.  (Which events Qt sends a listening screen reader is checked over
  // AT-SPI by tools/check-screen-reader: the offscreen platform sends none.)
  ASSERT_TRUE(Widget()->hasFocus());
  EXPECT_EQ(view->focusChild(), nullptr);

  QTest::keyClick(Widget(), Qt::Key_Return);
  const CMyKelvoView& game = *app.View();
  // The same table, now the round's square.
  EXPECT_EQ(square->text(QAccessible::Name), "Square");
  for (int k = 1; k <= 9; ++k)
    EXPECT_EQ(square->tableInterface()->cellAt((k - 1) / 3, (k - 1) % 3)->text(QAccessible::Name),
              QString::number(game.m_nCell[k]));
  // A cell has the focus once the cursor keys are used.
  EXPECT_EQ(view->focusChild(), nullptr);
  QTest::keyClick(Widget(), Qt::Key_Right);
  QAccessibleInterface* right = square->tableInterface()->cellAt(1, 2);
  EXPECT_EQ(view->focusChild(), right);
  EXPECT_TRUE(right->state().focused);
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
  // Each thing said in a notification of its own, so that none is
  // overwritten before a screen reader has read it.
  QAccessibleInterface* first = ChildWithRole(view, QAccessible::Notification);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->text(QAccessible::Name).toStdString(), RoundStartText(1, game.m_nCell));
  EXPECT_FALSE(first->state().invisible);
#endif

  const std::string roundStart = RoundStartText(1, game.m_nCell);
  const auto pair = FindMagicExchange(game.m_nCell);
  ASSERT_TRUE(pair);
  // The cursor is on cell 6: a pick elsewhere is said by the focus moving.
  const bool pickSaidAloud = pair->first == 6;
  QTest::keyClick(Widget(), static_cast<Qt::Key>(Qt::Key_0 + game.m_nCell[pair->first]));
  QAccessibleInterface* picked =
      square->tableInterface()->cellAt((pair->first - 1) / 3, (pair->first - 1) % 3);
  EXPECT_EQ(picked->text(QAccessible::Name).toStdString(),
            std::to_string(game.m_nCell[pair->first]) + " picked, " + CellPlaceText(pair->first));
  EXPECT_EQ(view->focusChild(), picked);
  QTest::keyClick(Widget(), static_cast<Qt::Key>(Qt::Key_0 + game.m_nCell[pair->second]));
  EXPECT_EQ(view->focusChild(), nullptr);  // the swap is made: no cell takes keys
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
  int next = view->indexOfChild(first) + 1;
  if (pickSaidAloud) {
    EXPECT_EQ(view->child(next++)->text(QAccessible::Name),
              QString::number(game.m_nCell[pair->second]) + " picked.");
  }
  EXPECT_TRUE(view->child(next)->text(QAccessible::Name).contains("Magic square! 100 points"));
  EXPECT_EQ(first->text(QAccessible::Name).toStdString(), roundStart);
#endif
}

// The keys of time reach the game as typed ("=" as "+"); the help, given
// with the first focus, does not come again with the next.
TEST_F(AccessibleWindowTest, TimeKeysAndTheFocusHelpInTheWindow) {
  for (Qt::Key key : {Qt::Key_Plus, Qt::Key_Equal, Qt::Key_Minus}) QTest::keyClick(Widget(), key);
  EXPECT_EQ(app.View()->SwapSeconds(), 20);
  Widget()->clearFocus();
  Widget()->setFocus();
  ASSERT_TRUE(Widget()->hasFocus());
  EXPECT_TRUE(ViewInterface()->text(QAccessible::Description).isEmpty());
  QTest::keyClick(Widget(), Qt::Key_Return);
  QTest::keyClick(Widget(), Qt::Key_Pause);
  EXPECT_TRUE(app.View()->m_bPaused);
}

TEST_F(AccessibleWindowTest, MenuItemsAreNamedWithoutTheirShortcutText) {
  QAction* print = app.Frame()->ActionFor(ID_FILE_PRINT);
  QAction* exit = app.Frame()->ActionFor(ID_APP_EXIT);
  ASSERT_TRUE(print && exit);
  QMenu* file = qobject_cast<QMenu*>(print->associatedObjects().first());
  ASSERT_TRUE(file);
  QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(file);
  ASSERT_TRUE(menu);
  QAccessibleInterface* printItem = menu->child(static_cast<int>(file->actions().indexOf(print)));
  ASSERT_TRUE(printItem);
  EXPECT_EQ(printItem->role(), QAccessible::MenuItem);
  EXPECT_EQ(printItem->text(QAccessible::Name), "Print...");
  EXPECT_EQ(printItem->text(QAccessible::Accelerator), "Ctrl+P");
  EXPECT_EQ(printItem->parent(), menu);
  // Greyed until a named player's perfect game, as the menu shows it.
  EXPECT_TRUE(printItem->state().disabled);
  QAccessibleInterface* exitItem = menu->child(static_cast<int>(file->actions().indexOf(exit)));
  ASSERT_TRUE(exitItem);
  EXPECT_EQ(exitItem->text(QAccessible::Name), "Exit");

  // The arrow keys stop on it, with the focus there to be read, and Return
  // there does nothing; the mouse passes over it as before.
  const QSignalSpy chosen(print, &QAction::triggered);
  file->popup(QPoint(0, 0));
  QTest::keyClick(file, Qt::Key_Down);
  EXPECT_EQ(file->activeAction(), print);
  EXPECT_TRUE(printItem->state().focused);
  QTest::keyClick(file, Qt::Key_Return);
  EXPECT_EQ(chosen.count(), 0);
  QTest::keyClick(file, Qt::Key_Down);
  EXPECT_EQ(file->activeAction(), exit);
  // (Sent as the menu gets them: it takes a few moves as the mouse's own.)
  for (int dy = 8; dy >= 0; --dy) {
    const QPoint at = file->actionGeometry(print).center() + QPoint(0, dy);
    QMouseEvent move(QEvent::MouseMove, at, file->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(file, &move);
  }
  EXPECT_EQ(file->activeAction(), nullptr);
  file->hide();
}

TEST(AccessibleNameBox, TheFieldIsLabelledByTheTextAboveIt) {
  const std::string savedName = thePlayerNameDlg.m_strPlayerName;
  QString name;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    if (auto* edit = dialog->findChild<QLineEdit*>())
      if (QAccessibleInterface* field = QAccessible::queryAccessibleInterface(edit))
        name = field->text(QAccessible::Name);
    dialog->reject();
  });
  thePlayerNameDlg.DoModal();
  thePlayerNameDlg.m_strPlayerName = savedName;
  EXPECT_TRUE(name.startsWith("Type in your name below")) << name.toStdString();
}

// Qt's print dialog: the box's label says which printer is chosen (Qt gives
// a screen reader the box's choice only as a name, which Orca replaces by the
// label), and the "..." button says what it does.
TEST(AccessiblePrintDialog, ThePrinterBoxAndTheFileButtonAreNamed) {
  std::string label, printer, button;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    auto* box = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    // Its first label is the one beside it (then comes the group's title).
    const auto labels = QAccessible::queryAccessibleInterface(box)->relations(QAccessible::Label);
    if (!labels.isEmpty()) label = labels.first().first->text(QAccessible::Name).toStdString();
    printer = box->currentText().toStdString();
    button = QAccessible::queryAccessibleInterface(
                 dialog->findChild<QToolButton*>(QStringLiteral("fileBrowser")))
                 ->text(QAccessible::Name)
                 .toStdString();
    dialog->reject();
  });
  CPrintInfo info;
  EXPECT_FALSE(QtModalUI().PreparePrinting(info));
  EXPECT_EQ(label, "Printer: " + printer);
  EXPECT_EQ(button, "Choose output file");
}
