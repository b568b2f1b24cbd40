// Turns a parsed WAVE clip into the sample layout a sound device asks for:
// another rate (linear interpolation), another channel count, another
// sample type.  Plain arithmetic, no audio system, so it is tested directly.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/wave_reader.h"

enum class PcmSampleType { UInt8, Int16, Int32, Float };

struct PcmLayout {
  int sampleRate = 0;
  int channels = 0;
  PcmSampleType type = PcmSampleType::Int16;

  std::size_t BytesPerFrame() const;
};

// Converted output larger than this is refused (empty result): a damaged
// header with a tiny rate must not make us allocate gigabytes.
constexpr std::size_t kMaxConvertedBytes = std::size_t{64} << 20;

// The clip's samples in `layout`, interleaved, native byte order.  Empty when
// the layout is unusable (no channels, a rate of 0) or the result would pass
// kMaxConvertedBytes.  Mono goes to every output channel; several channels
// going to mono are averaged; otherwise channel k takes source channel
// k modulo the source's count.
std::vector<unsigned char> ConvertPcm(const WaveClip& clip, const PcmLayout& layout);
