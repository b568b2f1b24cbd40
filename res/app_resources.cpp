#include "res/app_resources.h"

#include "res/dialogs.h"
#include "res/main_menu.h"

const AppResources& KelvoAppResources() {
  static const AppResources resources{kAppTitle, DialogTemplates()};
  return resources;
}
