#include "platform/sound/sound_worker.h"

#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/sound/wave_reader.h"

namespace {

// How much sound the sink keeps ahead of the speaker: short, so the cue
// stays close to the event that plays it (the server's default buffers add
// a noticeable delay); the sound thread has nothing else to do than keep it
// filled.
constexpr std::int64_t kSinkBufferMs = 100;
// Qt does not tell when the server has played a stream's last sample: the
// stream is ended this long after the clip should have been heard, so its
// tail is never clipped.  Until then it only runs dry, which is silence in
// signed samples.
constexpr std::int64_t kCloseMarginMs = 300;
// How long a sink is kept after its stream has ended (see m_ended).
constexpr std::int64_t kKeepEndedSinkMs = 2'000;
// A stream that never reports its end (a server that stopped answering
// mid-clip) is ended this long past its clip's length.
constexpr std::int64_t kGiveUpAfterMs = 2'000;

// Signed 16-bit, the clip's own rate and channels.  An unsigned 8-bit
// stream would be wrong the moment it runs dry: servers pad with zero
// bytes, which in unsigned 8-bit are the loudest negative sample.
std::optional<QAudioFormat> FormatOf(const WaveFormat& wave) {
  QAudioFormat format;
  format.setSampleRate(static_cast<int>(wave.samplesPerSec));
  format.setChannelCount(wave.channels);
  format.setSampleFormat(QAudioFormat::Int16);
  if (!format.isValid()) return std::nullopt;
  return format;
}

// The clip's samples as signed 16-bit: 16-bit ones in place, 8-bit ones
// (unsigned, centred on 128) widened into a copy.
QByteArray SamplesOf(const WaveClip& wave) {
  const auto* bytes = reinterpret_cast<const char*>(wave.samples.data());
  const auto size = static_cast<qsizetype>(wave.samples.size());
  if (wave.format.bitsPerSample == 16) return QByteArray::fromRawData(bytes, size);
  QByteArray widened(size * 2, Qt::Uninitialized);
  char* out = widened.data();
  for (const unsigned char sample : wave.samples) {
    const auto value = static_cast<std::int16_t>((sample - 128) * 256);
    std::memcpy(out, &value, sizeof value);
    out += sizeof value;
  }
  return widened;
}

}  // namespace

SoundWorker::SoundWorker() : m_heardTimer(new QTimer(this)), m_closeTimer(new QTimer(this)) {
  m_clock.start();
  m_heardTimer->setSingleShot(true);
  m_closeTimer->setSingleShot(true);
  QObject::connect(m_heardTimer, &QTimer::timeout, this, [this] { Finish(); });
  QObject::connect(m_closeTimer, &QTimer::timeout, this, [this] { CloseDueStreams(); });
}

SoundWorker::~SoundWorker() { Close(); }

bool SoundWorker::OpenDevice() {
  m_device = QMediaDevices::defaultAudioOutput();
  return !m_device.isNull();
}

const SoundWorker::Clip* SoundWorker::FindClip(UINT clipId, std::span<const unsigned char> image) {
  auto [it, inserted] = m_clips.try_emplace(clipId);
  if (!inserted) return it->second ? &*it->second : nullptr;

  const std::optional<WaveClip> wave = ReadWave(image);
  if (!wave || wave->samples.empty() || wave->DurationMs() > kMaxClipMs) return nullptr;
  const std::optional<QAudioFormat> format = FormatOf(wave->format);
  if (!format || m_device.isNull() || !m_device.isFormatSupported(*format)) return nullptr;
  it->second = Clip{*format, SamplesOf(*wave), static_cast<std::int64_t>(wave->DurationMs())};
  return &*it->second;
}

void SoundWorker::RetireCurrent() {
  if (!m_current) return;
  std::unique_ptr<Playback> old = std::move(m_current);
  // Handed over in full: let the server play out its end.  (The sink's
  // state cannot tell whether it has: it also goes idle on an underrun.)
  // Still being fed: this is the cut-off, as `old` goes.
  if (old->buffer->atEnd()) m_draining.push_back(std::move(old));
}

void SoundWorker::EndStreamOf(QAudioSink* sink) {
  sink->disconnect();
  sink->stop();
  m_ended.push_back({sink, NowMs() + kKeepEndedSinkMs});
}

void SoundWorker::CutOff() {
  m_heardTimer->stop();
  Finish();
  RetireCurrent();
  CloseDueStreams();
}

void SoundWorker::Play(UINT clipId, std::span<const unsigned char> image, Done done) {
  // One cue at a time, the latest wins: the one playing is cut off first,
  // even when the new one turns out to be unplayable.
  CutOff();
  m_done = std::move(done);

  const Clip* clip = FindClip(clipId, image);
  if (!clip) {
    Finish();
    return;
  }
  auto playback = std::make_unique<Playback>();
  playback->sink = {new QAudioSink(m_device, clip->format), EndStream{this}};
  QAudioSink* sink = playback->sink.get();
  playback->buffer = new QBuffer(sink);
  playback->buffer->setData(clip->samples);
  playback->buffer->open(QIODevice::ReadOnly);
  playback->clipMs = clip->durationMs;
  sink->setBufferSize(clip->format.bytesForDuration(kSinkBufferMs * 1000));
  QObject::connect(sink, &QAudioSink::stateChanged, this,
                   [this, sink](QAudio::State state) { OnSinkState(sink, state); });
  m_current = std::move(playback);
  m_current->startedAtMs = NowMs();
  m_current->closeAtMs = m_current->startedAtMs + m_current->clipMs + kGiveUpAfterMs;
  sink->start(m_current->buffer);
  // A sink that failed to start may already have been let go (its stopped
  // state arrives during start()).
  if (m_current && m_current->sink.get() == sink && sink->error() != QAudio::NoError)
    m_current->closeAtMs = NowMs();
  CloseDueStreams();
}

void SoundWorker::OnSinkState(QAudioSink* sink, int state) {
  if (!m_current || m_current->sink.get() != sink) return;
  if (state == QAudio::IdleState && m_current->buffer->atEnd()) {
    // Every byte is with the sound server.  The clip has been heard once
    // its length has passed since it started, plus what the sink's buffer
    // still held when it started.
    const std::int64_t bufferedMs = sink->format().durationForBytes(sink->bufferSize()) / 1000;
    const std::int64_t playedMs = NowMs() - m_current->startedAtMs;
    const std::int64_t heardInMs =
        std::min(std::max<std::int64_t>(0, m_current->clipMs - playedMs) + bufferedMs,
                 static_cast<std::int64_t>(kMaxClipMs));
    if (m_done) m_heardTimer->start(static_cast<int>(heardInMs));
    m_current->closeAtMs = NowMs() + heardInMs + kCloseMarginMs;
  } else if (state == QAudio::StoppedState) {
    // Stopped by an error: nothing more will be heard.
    m_current->closeAtMs = NowMs();
  }
  CloseDueStreams();
}

void SoundWorker::CloseDueStreams() {
  const std::int64_t now = NowMs();
  if (m_current && m_current->closeAtMs <= now) {
    m_current.reset();
    m_heardTimer->stop();
    Finish();
  }
  std::erase_if(m_draining, [now](const auto& p) { return p->closeAtMs <= now; });
  std::erase_if(m_ended, [now](const EndedSink& ended) {
    if (ended.deleteAtMs > now) return false;
    ended.sink->deleteLater();
    return true;
  });

  std::int64_t next = std::numeric_limits<std::int64_t>::max();
  if (m_current) next = m_current->closeAtMs;
  for (const auto& p : m_draining) next = std::min(next, p->closeAtMs);
  for (const EndedSink& ended : m_ended) next = std::min(next, ended.deleteAtMs);
  if (next == std::numeric_limits<std::int64_t>::max()) {
    m_closeTimer->stop();
  } else {
    m_closeTimer->start(static_cast<int>(std::clamp<std::int64_t>(
        next - now, 0, static_cast<std::int64_t>(kMaxClipMs + kGiveUpAfterMs))));
  }
}

void SoundWorker::Finish() {
  if (m_done) {
    m_done->set_value();
    m_done.reset();
  }
}

bool SoundWorker::Close() {
  m_heardTimer->stop();
  m_closeTimer->stop();
  Finish();
  const bool hadStreams = m_current || !m_draining.empty();
  m_current.reset();
  m_draining.clear();
  // Deleted once the thread has stopped, after the program has given the
  // server's last answers time to arrive (QtSoundOutput::Shutdown).
  for (const EndedSink& ended : m_ended) ended.sink->deleteLater();
  m_ended.clear();
  m_clips.clear();
  return hadStreams;
}
