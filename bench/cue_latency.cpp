// kelvo_cue_latency: time from PlaySoundCue to the cue's first sample at the
// sound server.  A recorder (parec on the null sink's monitor, started by
// bench/cue-latency.sh with the command in KELVO_RECORDER) streams raw
// 16-bit mono to this program; a reader thread notes when the first loud
// sample arrives after each cue starts.  The recorder's own delay is in
// every figure alike, so the figures compare one sound output with another.
//   kelvo_cue_latency [RUNS]      (prints median, min and max in ms)
#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/interface/sound_output.h"
#include "platform/qt/qt_platform.h"
#include "sound/sound_cues.h"

namespace {

using Clock = std::chrono::steady_clock;

// About -40 dBFS: the clips start well above it, silence stays well below.
constexpr int kLoud = 330;
constexpr UINT kGoCue = 101;

std::atomic<bool> g_recording{false};
std::atomic<bool> g_armed{false};
std::atomic<std::int64_t> g_heardAt{0};

void ReadRecorder(FILE* recorder) {
  std::int16_t samples[64];
  for (;;) {
    const std::size_t n = std::fread(samples, sizeof samples[0], 64, recorder);
    if (n == 0) return;
    g_recording = true;
    if (!g_armed.load()) continue;
    for (std::size_t k = 0; k < n; ++k)
      if (std::abs(samples[k]) > kLoud) {
        g_heardAt = Clock::now().time_since_epoch().count();
        g_armed = false;
        break;
      }
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QtPlatform platform;
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  const char* command = std::getenv("KELVO_RECORDER");
  if (!command) {
    std::fprintf(stderr, "kelvo_cue_latency: run it through bench/cue-latency.sh\n");
    return 2;
  }
  FILE* recorder = popen(command, "r");
  if (!recorder) return 2;
  // Unbuffered, so a sample is seen as soon as the recorder writes it.
  std::setvbuf(recorder, nullptr, _IONBF, 0);
  std::thread reader(ReadRecorder, recorder);

  SoundOutput().WarmUp();
  // The recorder takes a while to get going on a fresh server.
  const Clock::time_point launched = Clock::now();
  while (!g_recording.load() && Clock::now() - launched < std::chrono::seconds(5))
    QThread::msleep(10);
  QThread::msleep(300);
  std::vector<double> ms;
  for (int run = 0; run < runs; ++run) {
    g_heardAt = 0;
    g_armed = true;
    const Clock::time_point start = Clock::now();
    PlaySoundCue(kGoCue);
    while (g_heardAt.load() == 0 && Clock::now() - start < std::chrono::seconds(2))
      QThread::msleep(1);
    g_armed = false;
    if (g_heardAt.load() != 0) {
      const Clock::time_point heard{Clock::duration{g_heardAt.load()}};
      ms.push_back(std::chrono::duration<double, std::milli>(heard - start).count());
    }
    // Let the clip and its tail end before the next run.
    QThread::msleep(900);
  }
  if (ms.empty()) {
    std::printf("no cue was heard\n");
    std::fflush(stdout);
    std::_Exit(1);
  }
  // The first cue after the warm-up is reported apart: it may pay for
  // opening the stream.
  const double first = ms.front();
  std::sort(ms.begin(), ms.end());
  std::printf(
      "cue to first sample: median %.1f ms, min %.1f, max %.1f, first cue %.1f (%zu of %d heard)\n",
      ms[ms.size() / 2], ms.front(), ms.back(), first, ms.size(), runs);
  std::fflush(stdout);
  // The recorder never ends by itself; the script stops it with the server.
  std::_Exit(0);
}
