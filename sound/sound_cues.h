// Playing the stored sound clips (resources of type "SOUND", ids in
// sound/sound_ids.h).  A clip that is missing or cannot be played is simply
// not heard: no message, and the game goes on.
#pragma once

#include "platform/interface/win_types.h"

// Starts clip `nID` and returns at once; a clip still playing is cut off.
void PlaySoundCue(UINT nID);
// Plays clip `nID` and returns when it has finished; the window does not
// respond meanwhile.
void PlaySoundCueSync(UINT nID);
