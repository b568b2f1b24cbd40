// Between Qt's key codes and the virtual-key codes the game and its
// accelerator table speak.
#pragma once

#include "platform/win_types.h"

// The keys of keyboard play: Space, the four arrows and the keypad digits
// (the main-row digits are their characters, '1' to '9').
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_NUMPAD0 = 0x60;
constexpr UINT VK_NUMPAD9 = 0x69;

// The virtual-key code of a Qt key (Qt::Key), or 0 for keys the game has no
// code for.
UINT VirtualKeyFromQt(int qtKey);
// The Qt key (Qt::Key) of a virtual-key code, or 0.
int QtKeyFromVirtualKey(UINT vk);
