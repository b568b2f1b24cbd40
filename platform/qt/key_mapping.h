// Between Qt's key codes and the virtual-key codes the game and its
// accelerator table speak.
#pragma once

#include "platform/interface/virtual_keys.h"

// The virtual-key code of a Qt key (Qt::Key), or 0 for keys the game has no
// code for.
UINT VirtualKeyFromQt(int qtKey);
// The Qt key (Qt::Key) of a virtual-key code, or 0.
int QtKeyFromVirtualKey(UINT vk);
