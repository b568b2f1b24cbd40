// The view's command table: which menu and accelerator commands it handles
// and the rules that enable them.
#include "game/MyKelvoView.h"
#include "platform/command_ids.h"

void CMyKelvoView::RegisterCommands() {
}
