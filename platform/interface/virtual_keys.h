// The virtual-key codes the game's key handler and its accelerator table
// speak.  Digits and letters are their own characters ('0'..'9', 'A'..'Z');
// F1 to F24 run on from VK_F1.
#pragma once

#include "platform/interface/win_types.h"

constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SHIFT = 0x10;
constexpr UINT VK_CONTROL = 0x11;
constexpr UINT VK_MENU = 0x12;  // Alt
constexpr UINT VK_PAUSE = 0x13;
constexpr UINT VK_CAPITAL = 0x14;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_PRIOR = 0x21;  // Page Up
constexpr UINT VK_NEXT = 0x22;   // Page Down
constexpr UINT VK_END = 0x23;
constexpr UINT VK_HOME = 0x24;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_INSERT = 0x2D;
constexpr UINT VK_DELETE = 0x2E;
constexpr UINT VK_NUMPAD0 = 0x60;
constexpr UINT VK_NUMPAD9 = 0x69;
constexpr UINT VK_F1 = 0x70;
constexpr UINT VK_F4 = 0x73;
constexpr UINT VK_F6 = 0x75;
constexpr UINT VK_F10 = 0x79;
constexpr UINT VK_F24 = 0x87;
constexpr UINT VK_OEM_PLUS = 0xBB;   // the "=" and "+" key, or "+" alone
constexpr UINT VK_OEM_MINUS = 0xBD;  // the "-" key
