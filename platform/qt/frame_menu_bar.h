// The main window's menu bar and its menus, drawn in the application's
// style (whichever it is, and even after it changes) with four differences:
//  - It is reachable from the keyboard under any widget style: Alt alone or
//    F10 selects it (its first title highlighted, no menu open), Left and
//    Right move along it, Down or Return opens a menu, and Escape (or F10
//    again) gives the keys back to where they were.  Qt's menu bar has this
//    keyboard mode only where its style asks for it
//    (SH_MenuBar_AltKeyNavigation: Qt's own Windows and Fusion styles do, a
//    third-party or an application's own style need not) and keeps the mode itself private
//    (QMenuBarPrivate is not even exported from the library): the only way in is the tap of Alt the
//    menu bar watches for.  So the menu bar's style asks for the mode, and F10 hands that tap to
//    the menu bar's own handler directly, where no other widget sees it.
//  - A title selected from the keyboard looks like one whose menu is open,
//    since some styles (Fusion) draw a merely selected title like the rest.
//  - The arrow keys stop on a greyed item, which a screen reader then reads
//    as unavailable (choosing it does nothing); the mouse passes over it
//    as the style has it.
//  - Every separator has room above and below its line, so that one that
//    opens a menu (the File menu begins with one) is not drawn over the
//    menu's border.
#pragma once

#include <QMenuBar>

class FrameMenuBar : public QMenuBar {
 public:
  explicit FrameMenuBar(QWidget* parent);
  // A menu under the title `title`, in the menu bar's style.
  QMenu* AddMenu(const QString& title);
  // Selects the menu bar for the keyboard, or ends that if it is selected.
  void ToggleKeyboardSelection();
};
