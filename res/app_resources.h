// What the game hands the platform at start-up: its title and its dialog
// templates (see platform/app_resources.h).
#pragma once

#include "platform/interface/app_resources.h"

const AppResources& KelvoAppResources();
