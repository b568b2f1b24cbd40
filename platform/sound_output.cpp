#include "platform/sound_output.h"

#include "platform/qt_sound_output.h"

namespace {
ISoundOutput* g_installed = nullptr;
}

ISoundOutput& SoundOutput() {
  if (g_installed) return *g_installed;
  // Made on first use, which is the first sound or the warm-up after the
  // window is shown: nothing of the audio system is touched at start-up.
  static QtSoundOutput qtSoundOutput;
  return qtSoundOutput;
}

void SetSoundOutput(ISoundOutput* output) { g_installed = output; }
