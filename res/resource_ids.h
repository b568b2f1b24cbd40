// Ids of the program's own resources.
#pragma once

#include "platform/interface/win_types.h"

constexpr UINT IDR_MAINFRAME = 128;   // menu, accelerators, icon, document strings
constexpr UINT IDR_MYKELVTYPE = 129;  // document-type icon
constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDD_PLAYER_NAME = 130;
constexpr int IDC_PLAYER_NAME = 1000;
constexpr int IDC_ABOUT_VERSION = 1001;
constexpr int IDC_STATIC = -1;

// Commands of the menus the view handles; the menu and the view both use
// these.
constexpr UINT ID_SOUNDS_GO_ON = 32771;
constexpr UINT ID_SOUNDS_GO_OFF = 32772;
constexpr UINT ID_REGISTER_ENTER_NAME = 32774;
