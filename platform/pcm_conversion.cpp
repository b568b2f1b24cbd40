#include "platform/pcm_conversion.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// One source sample as a float in [-1, 1).
float SourceSample(const WaveClip& clip, std::size_t frame, int channel) {
  const unsigned char* p = clip.samples.data() + frame * clip.format.blockAlign;
  if (clip.format.bitsPerSample == 8) return (static_cast<int>(p[channel]) - 128) / 128.0f;
  const unsigned char* s = p + 2 * channel;
  const auto value = static_cast<std::int16_t>(static_cast<std::uint16_t>(s[0] | (s[1] << 8)));
  return value / 32768.0f;
}

// The value of output channel `channel` at source frame `frame`.
float MixedSample(const WaveClip& clip, std::size_t frame, int channel, int outChannels) {
  const int inChannels = clip.format.channels;
  if (outChannels == 1 && inChannels > 1) {
    float sum = 0;
    for (int c = 0; c < inChannels; ++c) sum += SourceSample(clip, frame, c);
    return sum / static_cast<float>(inChannels);
  }
  return SourceSample(clip, frame, channel % inChannels);
}

void Store(float value, PcmSampleType type, unsigned char* out) {
  value = std::clamp(value, -1.0f, 1.0f);
  switch (type) {
    case PcmSampleType::UInt8:
      *out = static_cast<unsigned char>(std::clamp(std::lround(value * 128.0f) + 128, 0L, 255L));
      break;
    case PcmSampleType::Int16: {
      const auto v =
          static_cast<std::int16_t>(std::clamp(std::lround(value * 32768.0f), -32768L, 32767L));
      std::memcpy(out, &v, sizeof v);
      break;
    }
    case PcmSampleType::Int32: {
      const auto v = static_cast<std::int32_t>(
          std::clamp(std::llround(static_cast<double>(value) * 2147483648.0),
                     static_cast<long long>(INT32_MIN), static_cast<long long>(INT32_MAX)));
      std::memcpy(out, &v, sizeof v);
      break;
    }
    case PcmSampleType::Float:
      std::memcpy(out, &value, sizeof value);
      break;
  }
}

std::size_t SampleBytes(PcmSampleType type) {
  switch (type) {
    case PcmSampleType::UInt8:
      return 1;
    case PcmSampleType::Int16:
      return 2;
    case PcmSampleType::Int32:
    case PcmSampleType::Float:
      return 4;
  }
  return 0;
}

}  // namespace

std::size_t PcmLayout::BytesPerFrame() const {
  return channels > 0 ? static_cast<std::size_t>(channels) * SampleBytes(type) : 0;
}

std::vector<unsigned char> ConvertPcm(const WaveClip& clip, const PcmLayout& layout) {
  const std::uint64_t inRate = clip.format.samplesPerSec;
  const std::size_t inFrames = clip.FrameCount();
  if (layout.sampleRate <= 0 || layout.channels <= 0 || inRate == 0 || inFrames == 0 ||
      clip.format.channels == 0)
    return {};
  const auto outRate = static_cast<std::uint64_t>(layout.sampleRate);
  const std::size_t frameBytes = layout.BytesPerFrame();

  // Frames and rates are below 2^32 and 2^31, and output frames below 2^26
  // once the size check passed, so the 64-bit products below cannot wrap.
  const std::uint64_t outFrames = (std::uint64_t{inFrames} * outRate + inRate - 1) / inRate;
  if (outFrames > kMaxConvertedBytes / frameBytes) return {};

  std::vector<unsigned char> out(static_cast<std::size_t>(outFrames) * frameBytes);
  const std::size_t sampleBytes = SampleBytes(layout.type);
  unsigned char* dst = out.data();
  for (std::uint64_t i = 0; i < outFrames; ++i) {
    // Exact position in the source: whole frame plus a fraction in integers,
    // so the result does not drift over a long clip.
    const std::uint64_t numerator = i * inRate;
    const std::size_t frame = static_cast<std::size_t>(numerator / outRate);
    const float fraction = static_cast<float>(numerator % outRate) / static_cast<float>(outRate);
    const std::size_t next = std::min(frame + 1, inFrames - 1);
    for (int c = 0; c < layout.channels; ++c) {
      const float a = MixedSample(clip, frame, c, layout.channels);
      const float b = fraction == 0.0f ? a : MixedSample(clip, next, c, layout.channels);
      Store(a + (b - a) * fraction, layout.type, dst);
      dst += sampleBytes;
    }
  }
  return out;
}
