// Resource ids of the four stored sound clips (resource type "SOUND").
#pragma once

#include "platform/interface/win_types.h"

constexpr UINT IDR_SOUND_GO = 101;         // a swap period starts
constexpr UINT IDR_SOUND_GAME_OVER = 102;  // the tenth round has ended
constexpr UINT IDR_SOUND_PERFECT = 103;    // the game just ended was perfect
constexpr UINT IDR_SOUND_REFUSED = 104;    // a drop made no swap
