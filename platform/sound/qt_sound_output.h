// The real sound output: Qt Multimedia's audio sink, which reaches the
// desktop's sound server (PulseAudio or PipeWire).  Everything of Qt
// Multimedia (the device lookup, Qt's audio engine with its reconnects, the
// sinks) lives on a small thread of its own, so that a sound server that
// stalls, vanishes or refuses costs the sound and never holds up the
// window's thread, and a sound keeps flowing while the window's thread waits
// for a cue to end.  The thread starts, and looks the device up, on the
// warm-up or the first sound; each clip is read once and kept under its
// resource id, so a cue starts at once.  Where there is no sound server or
// device every sound is silent and returns at once.
#pragma once

#include <QThread>
#include <chrono>
#include <cstdint>
#include <future>
#include <memory>
#include <span>

#include "platform/interface/sound_output.h"

class SoundWorker;

// How much longer than the clip a waiting call may block before giving up.
constexpr std::uint64_t kWaitMarginMs = 500;
// How long the end of the program waits for the sound thread to stop.
constexpr std::uint64_t kShutdownWaitMs = 300;

class QtSoundOutput : public ISoundOutput {
 public:
  QtSoundOutput();
  ~QtSoundOutput() override;
  QtSoundOutput(const QtSoundOutput&) = delete;
  QtSoundOutput& operator=(const QtSoundOutput&) = delete;

  void Play(UINT clipId, std::span<const unsigned char> waveImage, bool wait) override;
  // Starts the sound thread, which looks the device up; returns at once.
  void WarmUp() override;
  // Stops the sound and its thread (at once when it never started); runs by
  // itself when the application object goes away.  Afterwards every sound
  // is silent.
  bool Shutdown() override;

  // Waits at most `bound` for the device lookup that the warm-up or the
  // first sound started; whether a device was found.
  bool WaitForDevice(std::chrono::milliseconds bound);
  // Whether a sound device was found; false until the lookup has ended, and
  // where there is none.
  bool HasDevice() const;

 private:
  struct Shared;
  // Starts the sound thread and its device lookup, once; false when every
  // sound is to be silent.
  bool Open();

  // What the sound thread reads and writes too; it may outlive this object
  // when a stalled server keeps that thread from stopping.
  std::shared_ptr<Shared> m_shared;
  std::unique_ptr<QThread> m_thread;
  SoundWorker* m_worker = nullptr;  // lives on m_thread
  std::shared_future<bool> m_deviceFound;
};
