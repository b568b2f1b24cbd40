#include "platform/qt_sound_output.h"

#include <QCoreApplication>
#include <QMediaDevices>
#include <QThread>
#include <chrono>

#include "platform/sound_worker.h"
#include "platform/wave_reader.h"

namespace {

// The output that shuts down with the application object (the one in use;
// test copies shut down themselves).
QtSoundOutput* g_shutDownWithApp = nullptr;

void ShutDownWithApp() {
  if (g_shutDownWithApp) g_shutDownWithApp->Shutdown();
  g_shutDownWithApp = nullptr;
}

// Runs `call` on the worker's thread and waits for it.
template <typename Call>
void RunOnWorker(SoundWorker* worker, Call call) {
  QMetaObject::invokeMethod(worker, call, Qt::BlockingQueuedConnection);
}

}  // namespace

QtSoundOutput::QtSoundOutput() = default;

QtSoundOutput::~QtSoundOutput() { Shutdown(); }

bool QtSoundOutput::Open() {
  const int state = m_state.load();
  if (state != kNotOpened) return state == kReady;
  // Without an application object there is no event loop to feed a sink.
  if (!QCoreApplication::instance()) {
    m_state = kNoDevice;
    return false;
  }
  // Looked up on the window's thread: Qt's device list belongs to it.
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) {
    m_state = kNoDevice;
    return false;
  }

  m_thread = std::make_unique<QThread>();
  m_thread->setObjectName(QStringLiteral("kelvo-sound"));
  m_worker = new SoundWorker(device);
  m_worker->moveToThread(m_thread.get());
  m_thread->start();
  m_state = kReady;
  if (!g_shutDownWithApp) {
    g_shutDownWithApp = this;
    qAddPostRoutine(ShutDownWithApp);
  }
  return true;
}

void QtSoundOutput::WarmUp() { Open(); }

void QtSoundOutput::Play(UINT clipId, std::span<const unsigned char> waveImage, bool wait) {
  // A clip that cannot be read is silent and leaves the one playing alone.
  const std::optional<WaveClip> clip = ReadWave(waveImage);
  if (!clip || clip->DurationMs() > kMaxClipMs) return;
  if (!Open()) return;

  auto done = std::make_shared<std::promise<void>>();
  std::future<void> finished = done->get_future();
  SoundWorker* worker = m_worker;
  QMetaObject::invokeMethod(
      worker, [worker, clipId, waveImage, done] { worker->Play(clipId, waveImage, done); },
      Qt::QueuedConnection);
  if (!wait) return;
  // The window's thread blocks here, as it should: the sound thread keeps
  // the sink fed.  Bounded, so a stuck sound server cannot hang the game.
  finished.wait_for(std::chrono::milliseconds(clip->DurationMs() + kWaitMarginMs));
}

void QtSoundOutput::Shutdown() {
  m_state = kShutDown;
  if (g_shutDownWithApp == this) g_shutDownWithApp = nullptr;
  StopThread();
}

void QtSoundOutput::StopThread() {
  if (!m_thread) return;
  SoundWorker* worker = m_worker;
  bool closedStreams = false;
  RunOnWorker(worker, [worker, &closedStreams] { closedStreams = worker->Close(); });
  m_thread->quit();
  m_thread->wait();
  delete m_worker;
  m_worker = nullptr;
  m_thread.reset();
  // Closing the sinks makes the sound server answer; let those answers
  // arrive before the program goes on to exit, where Qt 6.4 tears its audio
  // engine down without holding the engine's lock (a crash inside the sound
  // library when an answer is being handled at that moment).  Without a
  // stream closed there is nothing to wait for.
  constexpr unsigned long kSettleMs = 150;
  if (closedStreams) QThread::msleep(kSettleMs);
}
