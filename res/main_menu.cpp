#include "res/main_menu.h"

#include "platform/interface/command_ids.h"
#include "platform/interface/virtual_keys.h"
#include "platform/language/translation.h"
#include "res/resource_ids.h"

const char* const kAppTitle = "Kelvo";
const char* const kDocumentString = "Kelvo\n\nMyKelv\n\n\nMyKelvo.Document\nMyKelv Document";
const char* const kFileVersion = KELVO_VERSION_TEXT;
const char* const kProductName = "Kelvo Application";

const MenuResource& MainMenu() {
  // The File menu really begins with a separator and has two in a row
  // before Exit.  The platform translates the names as it shows them.
  static const MenuResource menu = {
      // TRANSLATORS: the menus.  An "&" marks the letter that opens a menu
      // with Alt, or picks its item: choose one that the menu's other names
      // do not share.  "\tCtrl+P" is the item's key: keep it as it is.  GO
      // is the round-start sound.
      {N_("&File"),
       {
           {nullptr, 0},
           {N_("&Print...\tCtrl+P"), ID_FILE_PRINT},
           {nullptr, 0},
           {nullptr, 0},
           {N_("E&xit"), ID_APP_EXIT},
       }},
      {N_("Sounds"),
       {
           {N_("Turn GO on"), ID_SOUNDS_GO_ON},
           {N_("Turn GO off"), ID_SOUNDS_GO_OFF},
       }},
      {N_("Register"),
       {
           {N_("Enter Your Name"), ID_REGISTER_ENTER_NAME},
       }},
      {N_("&Help"),
       {
           {N_("&About Kelvo..."), ID_APP_ABOUT},
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
