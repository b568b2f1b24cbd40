// kelvo-play-cue: plays stored sound clips through the real sound output,
// as the game does, so that a person or a script can hear or record them.
//   kelvo-play-cue [--gap-ms N] [--linger-ms M] ID...
// Every clip but the last is started without waiting, N ms apart (default
// 150), so the next one cuts it off; the last is played to its end, and the
// program stays M ms longer (default 700), as a game goes on after a cue.
// Prints each clip's length ("clip 101: 710 ms").
// Exit status: 0 played, 2 bad arguments, 3 no sound device.
#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/interface/resources.h"
#include "platform/interface/sound_output.h"
#include "platform/qt/qt_platform.h"
#include "platform/sound/qt_sound_output.h"
#include "platform/sound/wave_reader.h"
#include "sound/sound_cues.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QtPlatform platform;
  unsigned long gapMs = 150;
  unsigned long lingerMs = 700;
  std::vector<UINT> ids;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    char* end = nullptr;
    if ((arg == "--gap-ms" || arg == "--linger-ms") && i + 1 < argc) {
      const std::string value = argv[++i];
      const unsigned long ms = std::strtoul(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || ms > 10000) {
        std::fprintf(stderr, "kelvo-play-cue: %s takes 0 to 10000\n", arg.c_str());
        return 2;
      }
      (arg == "--gap-ms" ? gapMs : lingerMs) = ms;
      continue;
    }
    const unsigned long id = std::strtoul(arg.c_str(), &end, 10);
    if (arg.empty() || *end != '\0' || id > 65535) {
      std::fprintf(stderr, "kelvo-play-cue: not a clip id: %s\n", arg.c_str());
      return 2;
    }
    ids.push_back(static_cast<UINT>(id));
  }
  if (ids.empty()) {
    std::fprintf(stderr, "usage: kelvo-play-cue [--gap-ms N] [--linger-ms M] ID...\n");
    return 2;
  }

  for (const UINT id : ids) {
    const std::optional<WaveClip> clip = ReadWave(FindResource(id, "SOUND"));
    std::printf("clip %u: %llu ms\n", id,
                clip ? static_cast<unsigned long long>(clip->DurationMs()) : 0ULL);
  }
  std::fflush(stdout);

  QtSoundOutput& output = platform.Sound();
  if (!output.WaitForDevice(std::chrono::seconds(5))) {
    std::fprintf(stderr, "kelvo-play-cue: no sound device (none found within 5 s)\n");
    if (!output.Shutdown()) std::_Exit(3);
    return 3;
  }
  for (std::size_t k = 0; k + 1 < ids.size(); ++k) {
    PlaySoundCue(ids[k]);
    QThread::msleep(gapMs);
  }
  PlaySoundCueSync(ids.back());
  QThread::msleep(lingerMs);
  if (!output.Shutdown()) std::_Exit(0);
  return 0;
}
