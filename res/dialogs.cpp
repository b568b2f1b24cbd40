// The dialog templates: the About box and the player-name box.
#include "res/dialogs.h"

#include "platform/language/translation.h"
#include "res/resource_ids.h"

namespace {

// The platform translates the captions and texts as it shows them.  The
// version line is written by the About box itself (app/AboutDlg.h).
const DialogTemplate kDialogs[] = {
    {IDD_ABOUTBOX,
     N_("About Kelvo"),
     235,
     55,
     "MS Sans Serif",
     8,
     true,
     {
         {ControlKind::Icon, IDC_STATIC, 11, 17, 20, 20, "128", 0},
         {ControlKind::Static, IDC_ABOUT_VERSION, 40, 10, 119, 8,
          "Kelvo Version " KELVO_BUILD_LABEL, CS_NO_PREFIX | CS_GROUP},
         {ControlKind::Static, IDC_STATIC, 40, 25, 119, 8,
          // TRANSLATORS: the About box's copyright line.
          N_("Copyright (C) 2006 the Kelvo authors"), 0},
         {ControlKind::PushButton, IDOK, 178, 7, 50, 14,
          // TRANSLATORS: a button of the About box and of the name box.
          N_("OK"), CS_DEFAULT_BUTTON | CS_GROUP | CS_TAB_STOP},
     }},
    {IDD_PLAYER_NAME,
     // TRANSLATORS: the name box's caption; "Type You Name" is the game's
     // spelling of "Type Your Name".
     N_("Type You Name"),
     186,
     95,
     "MS Sans Serif",
     8,
     false,
     {
         {ControlKind::Edit, IDC_PLAYER_NAME, 19, 49, 147, 14, "",
          CS_BORDER | CS_TAB_STOP | CS_AUTO_HSCROLL | CS_GROUP},
         {ControlKind::PushButton, IDOK, 36, 76, 50, 14, N_("OK"),
          CS_DEFAULT_BUTTON | CS_GROUP | CS_TAB_STOP},
         {ControlKind::PushButton, IDCANCEL, 99, 76, 50, 14, N_("Cancel"), CS_TAB_STOP},
         {ControlKind::Static, IDC_STATIC, 9, 10, 165, 30,
          // TRANSLATORS: above the name box's field, which a screen reader
          // names by it.
          N_("Type in your name below, and if you play a perfect game, you will then be able to "
             "print a certificate attesting to this fact."),
          CS_WORD_WRAP | CS_GROUP},
     }},
};

}  // namespace

std::span<const DialogTemplate> DialogTemplates() { return kDialogs; }
