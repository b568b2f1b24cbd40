// The menu bar and the accelerator table as data, the way the program's
// resources describe them.  The frame window builds its menus and keyboard
// shortcuts from these.
#pragma once

#include <vector>

#include "platform/interface/win_types.h"

struct MenuItemResource {
  const char* text;  // nullptr for a separator; '&' marks the mnemonic,
                     // the text after a tab is the shortcut shown
  UINT id;           // 0 for a separator
};

struct MenuPopupResource {
  const char* text;
  std::vector<MenuItemResource> items;
};

using MenuResource = std::vector<MenuPopupResource>;

// Accelerator modifiers.
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct AcceleratorResource {
  BYTE modifiers;  // FSHIFT | FCONTROL | FALT
  UINT key;        // virtual-key code
  UINT id;         // command
};

using AcceleratorTable = std::vector<AcceleratorResource>;
