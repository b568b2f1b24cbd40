// What the program hands the platform when it starts: the title its message
// boxes carry and the templates its dialogs are built from.  The platform
// knows nothing of the game; it finds these here, by id.
#pragma once

#include <span>

#include "platform/interface/dialog_template.h"
#include "platform/interface/win_types.h"

struct AppResources {
  const char* title = "";
  std::span<const DialogTemplate> dialogs;
};

// Takes over what the program hands it; both must live for the whole run.
// Called once at start-up; a later call replaces the earlier one.
void SetAppResources(const AppResources& resources);

// The application's title, the caption of the application's message boxes;
// empty until the program has handed it over.
const char* AfxAppTitle();
// The dialog template `id` among those handed over; nullptr when there is
// none.
const DialogTemplate* FindDialogTemplate(UINT id);
