// The side of the Qt sound output that runs on the sound thread: it keeps
// the converted clips and plays one clip at a time.  Every member function
// runs on the sound thread (queued calls from QtSoundOutput), whose event
// loop feeds the audio sinks.
#pragma once

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <cstdint>
#include <future>
#include <memory>
#include <span>
#include <vector>

#include "platform/pcm_conversion.h"

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

  // Settles the format clips are converted to; false when the device takes
  // none that we can write.
  bool Open();
  // Cuts off the clip playing, if any, and starts `image`.  `done` is set
  // when the clip has been heard to its end, is cut off, or cannot play.
  void Play(std::span<const unsigned char> image, Done done);
  // Stops every sound.
  void Close();

 private:
  struct Converted {
    const unsigned char* address;
    std::size_t size;
    std::uint64_t hash;
    QByteArray pcm;
  };
  // One clip on its way out: its own sink and the buffer the sink reads.
  struct Playback {
    std::unique_ptr<QBuffer> buffer;
    std::unique_ptr<QAudioSink> sink;
  };

  const QByteArray* Convert(std::span<const unsigned char> image);
  void OnSinkState(QAudioSink* sink, int state);
  void RetireCurrent();
  void Finish();

  QAudioDevice m_device;
  QAudioFormat m_format;
  PcmLayout m_layout;
  std::vector<Converted> m_cache;

  std::unique_ptr<Playback> m_current;
  // Clips that were handed over in full and are still sounding: they are
  // left to play out, never flushed, so the next cue does not clip their end.
  std::vector<std::unique_ptr<Playback>> m_draining;
  std::unique_ptr<QTimer> m_endTimer;
  Done m_done;
  QElapsedTimer m_sinceStart;
  std::int64_t m_clipMs = 0;
};
