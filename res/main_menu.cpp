#include "res/main_menu.h"

#include "platform/interface/command_ids.h"
#include "platform/interface/virtual_keys.h"
#include "res/resource_ids.h"

const char* const kAppTitle = "Kelvo";
const char* const kDocumentString = "Kelvo\n\nMyKelv\n\n\nMyKelvo.Document\nMyKelv Document";
const char* const kFileVersion = KELVO_VERSION_TEXT;
const char* const kProductName = "Kelvo Application";

const MenuResource& MainMenu() {
  // The File menu really begins with a separator and has two in a row
  // before Exit.
  static const MenuResource menu = {
      {"&File",
       {
           {nullptr, 0},
           {"&Print...\tCtrl+P", ID_FILE_PRINT},
           {nullptr, 0},
           {nullptr, 0},
           {"E&xit", ID_APP_EXIT},
       }},
      {"Sounds",
       {
           {"Turn GO on", ID_SOUNDS_GO_ON},
           {"Turn GO off", ID_SOUNDS_GO_OFF},
       }},
      {"Register",
       {
           {"Enter Your Name", ID_REGISTER_ENTER_NAME},
       }},
      {"&Help",
       {
           {"&About Kelvo...", ID_APP_ABOUT},
       }},
  };
  return menu;
}

const AcceleratorTable& MainAccelerators() {
  static const AcceleratorTable table = {
      {FCONTROL, 'C', ID_EDIT_COPY},
      {FCONTROL, 'N', ID_FILE_NEW},
      {FCONTROL, 'O', ID_FILE_OPEN},
      {FCONTROL, 'P', ID_FILE_PRINT},
      {FCONTROL, 'S', ID_FILE_SAVE},
      {FCONTROL, 'V', ID_EDIT_PASTE},
      {FALT, VK_BACK, ID_EDIT_UNDO},
      {FSHIFT, VK_DELETE, ID_EDIT_CUT},
      {0, VK_F6, ID_NEXT_PANE},
      {FSHIFT, VK_F6, ID_PREV_PANE},
      {FCONTROL, VK_INSERT, ID_EDIT_COPY},
      {FSHIFT, VK_INSERT, ID_EDIT_PASTE},
      {FCONTROL, 'X', ID_EDIT_CUT},
      {FCONTROL, 'Z', ID_EDIT_UNDO},
  };
  return table;
}
