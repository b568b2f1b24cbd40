// Ids of the program's own resources.
#pragma once

#include "platform/win_types.h"

constexpr UINT IDR_MAINFRAME = 128;   // menu, accelerators, icon, document strings
constexpr UINT IDR_MYKELVTYPE = 129;  // document-type icon
constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDD_PLAYER_NAME = 130;
constexpr int IDC_PLAYER_NAME = 1000;
constexpr int IDC_STATIC = -1;
