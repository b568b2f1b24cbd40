#include "platform/sound_worker.h"

#include <QAudioSink>
#include <QBuffer>
#include <QTimer>
#include <algorithm>

#include "platform/wave_reader.h"

namespace {

// A few clips are all the game has; more than this and the oldest go.
constexpr std::size_t kCacheLimit = 16;
// After its last byte went to the sound server a clip is still sounding for
// the server's own latency, which Qt does not tell: this covers a busy
// desktop's server and is how long a finished sink is kept before it goes.
constexpr int kPlayOutMs = 1500;
// What the sound server holds beyond the sink's buffer, for the waiting
// caller: a typical server's output latency.
constexpr std::int64_t kServerLatencyMs = 60;
// How much sound the sink keeps ahead of the speaker.
constexpr int kSinkBufferMs = 100;

// FNV-1a: the cache is keyed by address, and the hash makes sure a reused
// address with other contents is not mistaken for the clip it once held.
std::uint64_t Hash(std::span<const unsigned char> bytes) {
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char b : bytes) h = (h ^ b) * 1099511628211ull;
  return h;
}

bool LayoutFor(const QAudioFormat& format, PcmLayout* layout) {
  layout->sampleRate = format.sampleRate();
  layout->channels = format.channelCount();
  switch (format.sampleFormat()) {
    case QAudioFormat::UInt8:
      layout->type = PcmSampleType::UInt8;
      break;
    case QAudioFormat::Int16:
      layout->type = PcmSampleType::Int16;
      break;
    case QAudioFormat::Int32:
      layout->type = PcmSampleType::Int32;
      break;
    case QAudioFormat::Float:
      layout->type = PcmSampleType::Float;
      break;
    default:
      return false;
  }
  return layout->sampleRate > 0 && layout->channels > 0;
}

}  // namespace

SoundWorker::SoundWorker(const QAudioDevice& device) : m_device(device) {}

SoundWorker::~SoundWorker() { Close(); }

bool SoundWorker::Open() {
  // The clips are 22,050 Hz mono; 16-bit carries both the 8- and the 16-bit
  // ones without loss.  A device that will not take that gets its own
  // preferred format, and the clips are converted to it.
  QAudioFormat format;
  format.setSampleRate(22050);
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  if (!m_device.isFormatSupported(format)) format = m_device.preferredFormat();
  if (!LayoutFor(format, &m_layout)) return false;
  m_format = format;
  m_endTimer = std::make_unique<QTimer>();
  m_endTimer->setSingleShot(true);
  QObject::connect(m_endTimer.get(), &QTimer::timeout, this, [this] { Finish(); });
  return true;
}

const QByteArray* SoundWorker::Convert(std::span<const unsigned char> image) {
  const std::uint64_t hash = Hash(image);
  for (const Converted& c : m_cache)
    if (c.address == image.data() && c.size == image.size() && c.hash == hash) return &c.pcm;

  const std::optional<WaveClip> clip = ReadWave(image);
  if (!clip || clip->DurationMs() > kMaxClipMs) return nullptr;
  const std::vector<unsigned char> pcm = ConvertPcm(*clip, m_layout);
  if (pcm.empty()) return nullptr;
  if (m_cache.size() >= kCacheLimit) m_cache.erase(m_cache.begin());
  m_cache.push_back(
      {image.data(), image.size(), hash,
       QByteArray(reinterpret_cast<const char*>(pcm.data()), static_cast<qsizetype>(pcm.size()))});
  return &m_cache.back().pcm;
}

void SoundWorker::RetireCurrent() {
  if (!m_current) return;
  std::unique_ptr<Playback> old = std::move(m_current);
  QAudioSink* sink = old->sink.get();
  if (old->buffer->atEnd()) {
    // Handed over in full: let the server play out its end, then let go.
    // (The sink's state cannot tell: it also goes idle on an underrun.)
    m_draining.push_back(std::move(old));
    QTimer::singleShot(kPlayOutMs, this, [this, sink] {
      std::erase_if(m_draining, [sink](const auto& p) { return p->sink.get() == sink; });
    });
  } else {
    // Still being fed: this is the cut-off.
    QObject::disconnect(sink, nullptr, this, nullptr);
    sink->stop();
  }
}

void SoundWorker::Play(std::span<const unsigned char> image, Done done) {
  // One cue at a time, the latest wins: the one playing is cut off first,
  // even when the new one turns out to be unplayable.
  m_endTimer->stop();
  Finish();
  RetireCurrent();
  m_done = std::move(done);

  const QByteArray* pcm = Convert(image);
  if (!pcm) {
    Finish();
    return;
  }
  auto playback = std::make_unique<Playback>();
  playback->buffer = std::make_unique<QBuffer>();
  playback->buffer->setData(*pcm);
  playback->buffer->open(QIODevice::ReadOnly);
  playback->sink = std::make_unique<QAudioSink>(m_device, m_format);
  QAudioSink* sink = playback->sink.get();
  // A short buffer keeps the cue close to the event that plays it (the
  // server's default buffers add a noticeable delay); this thread has
  // nothing else to do than keep it filled.
  sink->setBufferSize(static_cast<qsizetype>(m_layout.BytesPerFrame()) * m_layout.sampleRate *
                      kSinkBufferMs / 1000);
  QObject::connect(sink, &QAudioSink::stateChanged, this,
                   [this, sink](QAudio::State state) { OnSinkState(sink, state); });
  m_current = std::move(playback);

  const auto bytesPerSecond =
      static_cast<std::int64_t>(m_layout.BytesPerFrame()) * m_layout.sampleRate;
  m_clipMs = pcm->size() * std::int64_t{1000} / bytesPerSecond;
  m_sinceStart.start();
  sink->start(m_current->buffer.get());
  if (sink->error() != QAudio::NoError) Finish();
}

void SoundWorker::OnSinkState(QAudioSink* sink, int state) {
  if (!m_current || m_current->sink.get() != sink || !m_done) return;
  if (state == QAudio::IdleState && m_current->buffer->atEnd()) {
    // Every byte is with the sound server.  The clip has been heard once
    // its length has passed since it started, plus what the sink's buffer
    // and the server still hold.
    const std::int64_t bytesPerSecond =
        static_cast<std::int64_t>(m_layout.BytesPerFrame()) * m_layout.sampleRate;
    const std::int64_t bufferedMs = sink->bufferSize() * std::int64_t{1000} / bytesPerSecond;
    const std::int64_t left = std::max<std::int64_t>(0, m_clipMs - m_sinceStart.elapsed());
    m_endTimer->start(static_cast<int>(std::min<std::int64_t>(
        left + bufferedMs + kServerLatencyMs, static_cast<std::int64_t>(kMaxClipMs))));
  } else if (state == QAudio::StoppedState) {
    Finish();
  }
}

void SoundWorker::Finish() {
  if (m_done) {
    m_done->set_value();
    m_done.reset();
  }
}

void SoundWorker::Close() {
  if (m_endTimer) m_endTimer->stop();
  Finish();
  if (m_current) {
    QObject::disconnect(m_current->sink.get(), nullptr, this, nullptr);
    m_current->sink->stop();
  }
  m_current.reset();
  m_draining.clear();
  m_endTimer.reset();
  m_cache.clear();
}
