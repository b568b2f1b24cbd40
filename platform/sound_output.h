// Where the stored sounds go: a WAVE image held in memory is handed over
// whole and played either in the background or to its end.  Only one sound
// plays at a time: a new one cuts off the one still playing.  The real
// output goes through the desktop's sound server; tests install their own to
// record what was played.
#pragma once

#include <span>

#include "platform/win_types.h"

class ISoundOutput {
 public:
  virtual ~ISoundOutput() = default;
  // Plays clip `clipId`, whose stored image is `waveImage` (a complete
  // RIFF/WAVE image that stays valid for the whole run); an output may keep
  // what it reads from the image under the id.  With `wait` false it returns at once; with `wait`
  // true it returns when the sound has finished, and the calling thread does nothing else
  // meanwhile.  An image that cannot be played is silent.
  virtual void Play(UINT clipId, std::span<const unsigned char> waveImage, bool wait) = 0;
  // Opens the sound device ahead of the first sound, so that one starts
  // without delay; the program calls it once its window is on screen.
  virtual void WarmUp() {}
};

// The one in use: the Qt one unless a test installed another.
ISoundOutput& SoundOutput();
// Installs `output` (nullptr: back to the Qt one).  The caller keeps ownership.
void SetSoundOutput(ISoundOutput* output);
