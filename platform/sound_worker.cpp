#include "platform/sound_worker.h"

#include <QAudioSink>
#include <QBuffer>
#include <QTimer>
#include <algorithm>

#include "platform/wave_reader.h"

namespace {

// How much sound the sink keeps ahead of the speaker: short, so the cue
// stays close to the event that plays it (the server's default buffers add
// a noticeable delay); the sound thread has nothing else to do than keep it
// filled.
constexpr std::int64_t kSinkBufferMs = 100;
// Qt does not tell when the server has played a stream's last sample.  A
// sink handed its whole clip costs nothing while it waits, so it is kept
// this long past the clip's length and let go at a later cue or at close.
constexpr std::int64_t kKeepAfterEndMs = 2'000;

std::optional<QAudioFormat> FormatOf(const WaveFormat& wave) {
  QAudioFormat format;
  format.setSampleRate(static_cast<int>(wave.samplesPerSec));
  format.setChannelCount(wave.channels);
  format.setSampleFormat(wave.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
  if (!format.isValid()) return std::nullopt;
  return format;
}

}  // namespace

SoundWorker::SoundWorker(const QAudioDevice& device) : m_device(device) {}

SoundWorker::~SoundWorker() { Close(); }

const SoundWorker::Clip* SoundWorker::FindClip(UINT clipId, std::span<const unsigned char> image) {
  auto [it, inserted] = m_clips.try_emplace(clipId);
  if (!inserted) return it->second ? &*it->second : nullptr;

  const std::optional<WaveClip> wave = ReadWave(image);
  if (!wave || wave->samples.empty() || wave->DurationMs() > kMaxClipMs) return nullptr;
  const std::optional<QAudioFormat> format = FormatOf(wave->format);
  if (!format || !m_device.isFormatSupported(*format)) return nullptr;
  it->second = Clip{*format,
                    QByteArray::fromRawData(reinterpret_cast<const char*>(wave->samples.data()),
                                            static_cast<qsizetype>(wave->samples.size())),
                    static_cast<std::int64_t>(wave->DurationMs())};
  return &*it->second;
}

void SoundWorker::RetireCurrent() {
  if (!m_current) return;
  std::unique_ptr<Playback> old = std::move(m_current);
  QAudioSink* sink = old->sink.get();
  QObject::disconnect(sink, nullptr, this, nullptr);
  if (old->buffer->atEnd()) {
    // Handed over in full: let the server play out its end.  (The sink's
    // state cannot tell whether it has: it also goes idle on an underrun.)
    m_draining.push_back(std::move(old));
  } else {
    // Still being fed: this is the cut-off.
    sink->stop();
  }
}

void SoundWorker::LetGoOfEndedSinks() {
  std::erase_if(m_draining, [](const auto& p) {
    return p->sinceStart.elapsed() > p->clipMs + kSinkBufferMs + kKeepAfterEndMs;
  });
}

void SoundWorker::Play(UINT clipId, std::span<const unsigned char> image, Done done) {
  if (!m_endTimer) {
    m_endTimer = std::make_unique<QTimer>();
    m_endTimer->setSingleShot(true);
    QObject::connect(m_endTimer.get(), &QTimer::timeout, this, [this] { Finish(); });
  }
  // One cue at a time, the latest wins: the one playing is cut off first,
  // even when the new one turns out to be unplayable.
  m_endTimer->stop();
  Finish();
  RetireCurrent();
  LetGoOfEndedSinks();
  m_done = std::move(done);

  const Clip* clip = FindClip(clipId, image);
  if (!clip) {
    Finish();
    return;
  }
  auto playback = std::make_unique<Playback>();
  playback->buffer = std::make_unique<QBuffer>();
  playback->buffer->setData(clip->samples);
  playback->buffer->open(QIODevice::ReadOnly);
  playback->sink = std::make_unique<QAudioSink>(m_device, clip->format);
  playback->clipMs = clip->durationMs;
  QAudioSink* sink = playback->sink.get();
  sink->setBufferSize(clip->format.bytesForDuration(kSinkBufferMs * 1000));
  QObject::connect(sink, &QAudioSink::stateChanged, this,
                   [this, sink](QAudio::State state) { OnSinkState(sink, state); });
  m_current = std::move(playback);
  m_current->sinceStart.start();
  sink->start(m_current->buffer.get());
  if (sink->error() != QAudio::NoError) Finish();
}

void SoundWorker::OnSinkState(QAudioSink* sink, int state) {
  if (!m_current || m_current->sink.get() != sink || !m_done) return;
  if (state == QAudio::IdleState && m_current->buffer->atEnd()) {
    // Every byte is with the sound server.  The clip has been heard once
    // its length has passed since it started, plus what the sink's buffer
    // still held when it started.
    const std::int64_t bufferedMs = sink->format().durationForBytes(sink->bufferSize()) / 1000;
    const std::int64_t left =
        std::max<std::int64_t>(0, m_current->clipMs - m_current->sinceStart.elapsed());
    m_endTimer->start(static_cast<int>(
        std::min<std::int64_t>(left + bufferedMs, static_cast<std::int64_t>(kMaxClipMs))));
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

bool SoundWorker::Close() {
  if (m_endTimer) m_endTimer->stop();
  Finish();
  const bool hadStreams = m_current || !m_draining.empty();
  if (m_current) {
    QObject::disconnect(m_current->sink.get(), nullptr, this, nullptr);
    m_current->sink->stop();
  }
  m_current.reset();
  m_draining.clear();
  m_endTimer.reset();
  m_clips.clear();
  return hadStreams;
}
