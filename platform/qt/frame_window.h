// The main window: a caption, a menu bar and accelerators built from the
// program's resources, and one view filling the client area.  Every menu
// item and accelerator goes through the command router, so a command whose
// enable rule says no is greyed in its menu and does nothing from its key.
//
// The keys belong to the view.  That is one rule, kept here: whenever the
// keyboard focus lands anywhere else in the window (the window itself, the
// menu bar once it is no longer selected), it goes to the view, and when a
// dialog of the program's own closes, the window takes the keyboard back.
// Only the menu bar, while selected for the keyboard (F10, Alt), keeps the
// keys from the view.  (Where no window manager hands a new window the
// keyboard, the window takes it itself when it is shown:
// x11_window_placer.h.)
#pragma once

#include <QAction>
#include <QMainWindow>
#include <map>
#include <string>

#include "platform/interface/cmd_target.h"
#include "platform/interface/menu_resource.h"

class FrameMenuBar;
class ScreenFiller;
class ViewWidget;
class CView;

class FrameWindow : public QMainWindow {
 public:
  FrameWindow(const MenuResource& menu, const AcceleratorTable& accelerators,
              CommandRouter& router);
  ~FrameWindow() override;

  // Puts `view` in the client area; the frame owns the widget showing it.
  ViewWidget* SetView(CView* view);
  ViewWidget* View() const { return m_viewWidget; }

  // Shows the window over the screen's available area (maximized where the
  // platform decides what that means) and keeps it there.
  void ShowFillingTheScreen();

  // Where the client area, the window manager's frame and the view are on
  // the screen now (device pixels, as the X server has them on X11), and
  // the menu bar's titles and items, one line each: what tools/check-desktop
  // compares with what the screen shows.
  std::string PlacementReport() const;

  // Asks every enable rule again and greys or enables the menu items.
  void UpdateCommandUI();
  // The menu item of command `id` (the first one), for tests.
  QAction* ActionFor(UINT id) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus(const MenuResource& menu);
  void BuildAccelerators(const AcceleratorTable& accelerators);
  void RunCommand(UINT id);
  void KeepKeysOnView(QWidget* focused);

  CommandRouter& m_router;
  FrameMenuBar* m_menuBar = nullptr;
  ViewWidget* m_viewWidget = nullptr;
  ScreenFiller* m_screenFiller = nullptr;
  std::multimap<UINT, QAction*> m_actions;
};

// The key sequence of an accelerator entry.
QKeySequence KeySequenceFor(const AcceleratorResource& accelerator);
