// The menu bar, the accelerators and the strings of the main window.
#pragma once

#include "platform/interface/menu_resource.h"

const MenuResource& MainMenu();
const AcceleratorTable& MainAccelerators();

// The application's title.
extern const char* const kAppTitle;
// The document description: window title, document name, new-file type name,
// filter, extension, registry type id and type name, separated by '\n'.
extern const char* const kDocumentString;
// Version record.
extern const char* const kFileVersion;  // the project version, "1.0.0.1"
extern const char* const kProductName;  // "Kelvo Application"
