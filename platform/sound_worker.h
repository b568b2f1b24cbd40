// The side of the Qt sound output that runs on the sound thread: it plays
// one clip at a time, each in the clip's own format (the sound server
// converts), straight from the stored image.  Every member function runs on
// the sound thread (queued calls from QtSoundOutput), whose event loop feeds
// the audio sinks.
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

#include "platform/win_types.h"

class QAudioSink;
class QBuffer;
class QTimer;

// Clips longer than this are not played: waiting for one must stay short.
constexpr std::uint64_t kMaxClipMs = 60'000;

class SoundWorker : public QObject {
 public:
  explicit SoundWorker(const QAudioDevice& device);
  ~SoundWorker() override;

  using Done = std::shared_ptr<std::promise<void>>;

  // Cuts off the clip playing, if any, and starts clip `clipId`, whose
  // stored image is `image` (valid for the whole run).  `done` is set when
  // the clip has been heard to its end, is cut off, or cannot play.
  void Play(UINT clipId, std::span<const unsigned char> image, Done done);
  // Stops every sound; whether a sound stream was open.
  bool Close();

 private:
  struct Clip {
    QAudioFormat format;
    QByteArray samples;  // over the stored image, not a copy
    std::int64_t durationMs = 0;
  };
  // One clip on its way out: its own sink and the buffer the sink reads.
  struct Playback {
    std::unique_ptr<QBuffer> buffer;
    std::unique_ptr<QAudioSink> sink;
    QElapsedTimer sinceStart;
    std::int64_t clipMs = 0;
  };

  // The clip ready to play, read once per id; nullptr when it cannot play.
  const Clip* FindClip(UINT clipId, std::span<const unsigned char> image);
  void OnSinkState(QAudioSink* sink, int state);
  void RetireCurrent();
  void LetGoOfEndedSinks();
  void Finish();

  QAudioDevice m_device;
  std::map<UINT, std::optional<Clip>> m_clips;

  std::unique_ptr<Playback> m_current;
  // Clips that were handed over in full and may still be sounding: they are
  // left to play out, never flushed, so the next cue does not clip their end.
  std::vector<std::unique_ptr<Playback>> m_draining;
  std::unique_ptr<QTimer> m_endTimer;
  Done m_done;
};
