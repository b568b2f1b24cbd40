// Between Qt's key codes and the virtual-key codes the game and its
// accelerator table speak.
#pragma once

#include <QtCore/qnamespace.h>

#include "platform/interface/virtual_keys.h"

// The virtual-key code of a Qt key (Qt::Key), or 0 for keys the game has no
// code for.
UINT VirtualKeyFromQt(int qtKey);
// The virtual-key code the view is given for a key pressed with `modifiers`,
// or 0 when the view is not to see it: a chord with Alt, Ctrl or Super
// belongs to the accelerators, the menu bar and the desktop (a window
// manager's full screen, a workspace switch), never to the game.  Shift,
// the keypad and AltGr (Qt's group switch, with which some layouts type
// their digits) are part of typing the key itself.
UINT ViewKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
// The Qt key (Qt::Key) of a virtual-key code, or 0.
int QtKeyFromVirtualKey(UINT vk);
