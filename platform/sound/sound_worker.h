// The side of the Qt sound output that runs on the sound thread.  Every
// contact with Qt Multimedia happens here: the device lookup (which makes
// Qt's audio engine, and with it the engine's reconnects, belong to this
// thread), the audio sinks and their ends.  A sound server that stalls can
// hold up this thread, never the window's.
//
// One clip plays at a time.  Each is handed to the server as signed 16-bit
// samples, whose zero is silence (8-bit clips are widened once, when first
// read), and each stream is ended once its clip has been heard: a stream
// left open runs dry, and a server pads it with zero bytes.
#pragma once

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/interface/win_types.h"

class QAudioSink;
class QBuffer;
class QTimer;

// Clips longer than this are not played: waiting for one must stay short.
constexpr std::uint64_t kMaxClipMs = 60'000;

class SoundWorker : public QObject {
 public:
  SoundWorker();
  ~SoundWorker() override;

  using Done = std::shared_ptr<std::promise<void>>;

  // Looks up the default output device; whether there is one.  This is the
  // first contact with the sound server and waits as long as it takes to
  // answer (some 30 s when it never does).
  bool OpenDevice();
  // Cuts off the clip playing, if any, and starts clip `clipId`, whose
  // stored image is `image` (valid for the whole run).  `done` is set when
  // the clip has been heard to its end, is cut off, or cannot play.
  void Play(UINT clipId, std::span<const unsigned char> image, Done done);
  // Cuts off the clip playing, if any, without starting another.
  void CutOff();
  // Stops every sound; whether a sound stream was open.
  bool Close();

 private:
  struct Clip {
    QAudioFormat format;
    QByteArray samples;  // 16-bit ones over the stored image; 8-bit ones widened
    std::int64_t durationMs = 0;
  };
  // Ends a sink's stream when its playback goes: the sink joins m_ended.
  struct EndStream {
    SoundWorker* worker;
    void operator()(QAudioSink* sink) const { worker->EndStreamOf(sink); }
  };
  // A sink whose stream has ended, kept until `deleteAtMs`.
  struct EndedSink {
    QAudioSink* sink;
    std::int64_t deleteAtMs;
  };
  // One clip on its way out: its own sink and the buffer the sink reads
  // (a child of the sink, so it goes with it).
  struct Playback {
    std::unique_ptr<QAudioSink, EndStream> sink;
    QBuffer* buffer = nullptr;
    std::int64_t startedAtMs = 0;
    std::int64_t clipMs = 0;
    // When the stream is ended, on the worker's clock.
    std::int64_t closeAtMs = 0;
  };

  // The clip ready to play, read once per id; nullptr when it cannot play.
  const Clip* FindClip(UINT clipId, std::span<const unsigned char> image);
  void OnSinkState(QAudioSink* sink, int state);
  void RetireCurrent();
  void EndStreamOf(QAudioSink* sink);
  // Ends the streams and deletes the sinks whose time has come, and sets
  // the timer for the next.
  void CloseDueStreams();
  void Finish();
  std::int64_t NowMs() const { return m_clock.elapsed(); }

  QAudioDevice m_device;
  std::map<UINT, std::optional<Clip>> m_clips;
  QElapsedTimer m_clock;

  // Sinks are never deleted at once.  Qt 6.4 may still call into a sink
  // from the sound library's thread for an operation on its stream (a
  // drain) after the stream has ended, so an ended sink is kept a while;
  // and it runs pending events inside a sink's destructor, so a sink is
  // deleted from the event loop (deleteLater), where they cannot find this
  // worker halfway through a change.
  std::vector<EndedSink> m_ended;  // before the playbacks, which end into it
  std::unique_ptr<Playback> m_current;
  // Clips that were handed over in full and may still be sounding: they are
  // left to play out, not flushed, so the next cue does not clip their end.
  std::vector<std::unique_ptr<Playback>> m_draining;
  QTimer* m_heardTimer;  // the current clip has been heard: its waiter goes on
  QTimer* m_closeTimer;  // the next stream to end
  Done m_done;
};
