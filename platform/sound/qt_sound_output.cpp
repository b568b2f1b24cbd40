#include "platform/sound/qt_sound_output.h"

#include <QCoreApplication>
#include <atomic>

#include "platform/sound/sound_worker.h"
#include "platform/sound/wave_reader.h"

namespace {

// The output that shuts down with the application object (the one in use;
// test copies shut down themselves).
QtSoundOutput* g_shutDownWithApp = nullptr;

void ShutDownWithApp() {
  if (g_shutDownWithApp) g_shutDownWithApp->Shutdown();
  g_shutDownWithApp = nullptr;
}

enum State { kNotOpened, kOpening, kReady, kNoDevice, kShutDown };

using Clock = std::chrono::steady_clock;

}  // namespace

struct QtSoundOutput::Shared {
  std::atomic<int> state{kNotOpened};
  // The number of the latest cue asked for: only that one is played.
  std::atomic<std::uint64_t> latestCue{0};
};

QtSoundOutput::QtSoundOutput() : m_shared(std::make_shared<Shared>()) {}

QtSoundOutput::~QtSoundOutput() { Shutdown(); }

bool QtSoundOutput::HasDevice() const { return m_shared->state.load() == kReady; }

bool QtSoundOutput::Open() {
  if (m_thread) {
    const int state = m_shared->state.load();
    return state == kOpening || state == kReady;
  }
  if (m_shared->state.load() != kNotOpened) return false;
  // Without an application object there is no event loop to feed a sink.
  if (!QCoreApplication::instance()) {
    m_shared->state = kNoDevice;
    return false;
  }
  m_thread = std::make_unique<QThread>();
  m_thread->setObjectName(QStringLiteral("kelvo-sound"));
  m_worker = new SoundWorker;
  m_worker->moveToThread(m_thread.get());
  m_thread->start();
  m_shared->state = kOpening;

  auto found = std::make_shared<std::promise<bool>>();
  m_deviceFound = found->get_future().share();
  QMetaObject::invokeMethod(
      m_worker,
      [worker = m_worker, shared = m_shared, found] {
        const bool ok = worker->OpenDevice();
        int opening = kOpening;
        shared->state.compare_exchange_strong(opening, ok ? kReady : kNoDevice);
        found->set_value(ok);
      },
      Qt::QueuedConnection);
  if (!g_shutDownWithApp) {
    g_shutDownWithApp = this;
    qAddPostRoutine(ShutDownWithApp);
  }
  return true;
}

void QtSoundOutput::WarmUp() { Open(); }

bool QtSoundOutput::WaitForDevice(std::chrono::milliseconds bound) {
  if (!Open() || !m_deviceFound.valid()) return HasDevice();
  return m_deviceFound.wait_for(bound) == std::future_status::ready && m_deviceFound.get();
}

void QtSoundOutput::Play(UINT clipId, std::span<const unsigned char> waveImage, bool wait) {
  // A clip that cannot be read is silent and leaves the one playing alone.
  const std::optional<WaveClip> clip = ReadWave(waveImage);
  if (!clip || clip->DurationMs() > kMaxClipMs) return;
  if (!Open()) return;

  auto done = std::make_shared<std::promise<void>>();
  std::future<void> finished = done->get_future();
  const std::uint64_t cue = ++m_shared->latestCue;
  const Clock::time_point asked = Clock::now();
  const std::chrono::milliseconds clipLength(clip->DurationMs());
  QMetaObject::invokeMethod(
      m_worker,
      [worker = m_worker, shared = m_shared, cue, asked, clipLength, clipId, waveImage, done] {
        // Only the latest cue plays, and only while it is due: a sound
        // thread that the server held up does not play a backlog of cues
        // late, one cutting off the next.
        if (cue != shared->latestCue.load()) {
          done->set_value();
        } else if (Clock::now() - asked > clipLength) {
          worker->CutOff();
          done->set_value();
        } else {
          worker->Play(clipId, waveImage, done);
        }
      },
      Qt::QueuedConnection);
  if (!wait) return;
  // The window's thread blocks here, as it should: the sound thread keeps
  // the sink fed.  Bounded, so a stalled sound server cannot hang the game.
  finished.wait_for(clipLength + std::chrono::milliseconds(kWaitMarginMs));
}

bool QtSoundOutput::Shutdown() {
  m_shared->state = kShutDown;
  if (g_shutDownWithApp == this) g_shutDownWithApp = nullptr;
  if (!m_thread) return true;

  auto closed = std::make_shared<std::promise<bool>>();
  std::future<bool> closedStreams = closed->get_future();
  QMetaObject::invokeMethod(
      m_worker, [worker = m_worker, closed] { closed->set_value(worker->Close()); },
      Qt::QueuedConnection);
  const std::chrono::milliseconds bound(kShutdownWaitMs);
  bool stopped = closedStreams.wait_for(bound) == std::future_status::ready;
  if (stopped) {
    // Ending the streams makes the sound server answer; let those answers
    // arrive while the sinks still exist and before the program goes on to
    // exit, where Qt 6.4 tears its audio engine down without holding the
    // engine's lock (a crash inside the sound library when an answer is
    // being handled at that moment).  Without a stream ended there is
    // nothing to wait for.
    constexpr unsigned long kSettleMs = 150;
    if (closedStreams.get()) QThread::msleep(kSettleMs);
    m_thread->quit();
    stopped = m_thread->wait(QDeadlineTimer(bound));
  }
  if (!stopped) {
    // Held up inside Qt's audio engine by a server that does not answer.
    // A running QThread must not be destroyed, nor the worker it runs:
    // both are left to the end of the process.
    [[maybe_unused]] QThread* leftRunning = m_thread.release();
    m_worker = nullptr;
    return false;
  }
  delete m_worker;
  m_worker = nullptr;
  m_thread.reset();
  return true;
}
