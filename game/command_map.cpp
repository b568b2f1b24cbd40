// The view's command table: which menu and accelerator commands it handles
// and the rules that enable them.
#include "game/MyKelvoView.h"
#include "platform/interface/command_ids.h"

void CMyKelvoView::RegisterCommands() {
  OnCommand(ID_SOUNDS_GO_ON, [this] { OnSoundsGoOn(); });
  OnUpdateCommandUI(ID_SOUNDS_GO_ON, [this](CCmdUI* ui) { OnUpdateSoundsGoOn(ui); });
  OnCommand(ID_SOUNDS_GO_OFF, [this] { OnSoundsGoOff(); });
  OnUpdateCommandUI(ID_SOUNDS_GO_OFF, [this](CCmdUI* ui) { OnUpdateSoundsGoOff(ui); });
  OnCommand(ID_REGISTER_ENTER_NAME, [this] { OnRegisterEnterName(); });
  OnUpdateCommandUI(ID_REGISTER_ENTER_NAME, [this](CCmdUI* ui) { OnUpdateRegisterEnterName(ui); });
  OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
  OnUpdateCommandUI(ID_FILE_PRINT, [this](CCmdUI* ui) { OnUpdateFilePrint(ui); });
}
