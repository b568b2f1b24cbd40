#include "app/MainFrame.h"

#include "platform/interface/command_ids.h"
#include "res/main_menu.h"

CMainFrame::CMainFrame(CommandRouter& router)
    : FrameWindow(MainMenu(), MainAccelerators(), router) {
  // A screen reader names the window by the game's title alone: the
  // caption's clock, frozen at the last paint, and its version are noise
  // each time the window comes back.
  setAccessibleName(QString::fromLatin1(kAppTitle));
}

void CMainFrame::LoadIcon() { setWindowIcon(QIcon(QStringLiteral(":/res/ICON/128"))); }
