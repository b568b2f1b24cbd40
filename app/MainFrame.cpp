#include "app/MainFrame.h"

#include "platform/interface/command_ids.h"
#include "res/main_menu.h"

CMainFrame::CMainFrame(CommandRouter& router)
    : FrameWindow(MainMenu(), MainAccelerators(), router) {}

void CMainFrame::LoadIcon() { setWindowIcon(QIcon(QStringLiteral(":/res/ICON/128"))); }
