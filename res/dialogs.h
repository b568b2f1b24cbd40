// The program's dialog templates, which the platform builds its dialogs from.
#pragma once

#include <span>

#include "platform/interface/dialog_template.h"

std::span<const DialogTemplate> DialogTemplates();
