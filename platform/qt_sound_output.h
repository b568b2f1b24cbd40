// The real sound output: Qt Multimedia's audio sink, which reaches the
// desktop's sound server (PulseAudio or PipeWire).  The sink lives on a
// small thread of its own, so that a sound keeps flowing while the window's
// thread is blocked waiting for it to end.  The device is looked up once,
// on the warm-up or the first sound; each clip plays in its own format,
// read once and kept under its resource id, so a cue starts at once.  Where
// there is no sound server or device every sound is silent and returns at
// once.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>

#include "platform/sound_output.h"

class QThread;
class SoundWorker;

// How much longer than the clip a waiting call may block before giving up.
constexpr std::uint64_t kWaitMarginMs = 1'000;

class QtSoundOutput : public ISoundOutput {
 public:
  QtSoundOutput();
  ~QtSoundOutput() override;
  QtSoundOutput(const QtSoundOutput&) = delete;
  QtSoundOutput& operator=(const QtSoundOutput&) = delete;

  void Play(UINT clipId, std::span<const unsigned char> waveImage, bool wait) override;
  void WarmUp() override;

  // Whether a sound device was found; false until the warm-up or the first
  // sound has looked, and where there is none.
  bool HasDevice() const { return m_state.load() == kReady; }
  // Stops the sound and its thread.  Runs by itself when the application
  // object goes away; afterwards every sound is silent.
  void Shutdown();

 private:
  enum State { kNotOpened, kReady, kNoDevice, kShutDown };
  // Looks the device up and starts the sound thread, once; whether there is
  // a device to play on.
  bool Open();
  void StopThread();

  std::atomic<int> m_state{kNotOpened};
  std::unique_ptr<QThread> m_thread;
  SoundWorker* m_worker = nullptr;  // lives on m_thread
};
