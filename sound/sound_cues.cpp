#include "sound/sound_cues.h"

#include <span>

#include "platform/interface/resources.h"
#include "platform/interface/sound_output.h"

namespace {

void Play(UINT nID, bool wait) {
  const std::span<const unsigned char> image = FindResource(nID, "sound");
  if (image.empty()) return;
  SoundOutput().Play(nID, image, wait);
}

}  // namespace

void PlaySoundCue(UINT nID) { Play(nID, false); }

void PlaySoundCueSync(UINT nID) { Play(nID, true); }
