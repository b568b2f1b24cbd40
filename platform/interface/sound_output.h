// Where the stored sounds go: a WAVE image held in memory is handed over
// whole and played either in the background or to its end.  Only one sound
// plays at a time: a new one cuts off the one still playing.  The real
// output goes through the desktop's sound server; tests install their own to
// record what was played.
#pragma once

#include <span>

#include "platform/interface/win_types.h"

class ISoundOutput {
 public:
  virtual ~ISoundOutput() = default;
  // Plays clip `clipId`, whose stored image is `waveImage` (a complete
  // RIFF/WAVE image that stays valid for the whole run); an output may keep
  // what it reads from the image under the id.  With `wait` false it
  // returns at once; with `wait` true it returns when the sound has
  // finished (at the latest shortly after the clip's length, whatever the
  // sound system does), and the calling thread does nothing else meanwhile.
  // An image that cannot be played is silent.
  virtual void Play(UINT clipId, std::span<const unsigned char> waveImage, bool wait) = 0;
  // Opens the sound device ahead of the first sound, so that one starts
  // without delay; the program calls it once its window is on screen.  It
  // returns at once.
  virtual void WarmUp() {}
  // Stops every sound at the end of the program, waiting only briefly.
  // False when the sound could not be stopped (a sound server that does not
  // answer holds it up): the process must then end without tearing the
  // toolkit down (std::_Exit), since the sound is still inside it.
  virtual bool Shutdown() { return true; }
};

// The one installed; until then every sound is silent.
ISoundOutput& SoundOutput();
// Installs `output` (nullptr: none) and returns the one it replaces.  The
// caller keeps ownership.
ISoundOutput* SetSoundOutput(ISoundOutput* output);
