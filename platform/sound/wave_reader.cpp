#include "platform/sound/wave_reader.h"

#include <cstring>

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kPcmFormatSize = 16;
constexpr std::size_t kRiffHeaderSize = 12;

std::uint16_t ReadU16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ReadU32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool IsTag(const unsigned char* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

std::optional<WaveClip> Refuse(std::string* whyRefused, const char* reason) {
  if (whyRefused) *whyRefused = reason;
  return std::nullopt;
}

}  // namespace

std::uint64_t WaveClip::DurationMs() const {
  if (format.samplesPerSec == 0) return 0;
  const std::uint64_t frames = FrameCount();
  return (frames * 1000 + format.samplesPerSec - 1) / format.samplesPerSec;
}

std::optional<WaveClip> ReadWave(std::span<const unsigned char> image, std::string* whyRefused) {
  const unsigned char* const base = image.data();
  if (image.size() < kRiffHeaderSize) return Refuse(whyRefused, "too short for a RIFF header");
  if (!IsTag(base, "RIFF") || !IsTag(base + 8, "WAVE"))
    return Refuse(whyRefused, "not a RIFF WAVE image");

  // The RIFF size counts everything after its own field; the form may be
  // followed by bytes that are not ours to read, but it may not run past the
  // end of the image.  Compared in 64 bits so a size near 4 GiB cannot wrap.
  const std::uint64_t formEnd = std::uint64_t{8} + ReadU32(base + 4);
  if (formEnd > image.size()) return Refuse(whyRefused, "truncated: shorter than its RIFF size");
  if (formEnd < kRiffHeaderSize) return Refuse(whyRefused, "RIFF size too small");
  const std::size_t end = static_cast<std::size_t>(formEnd);

  std::optional<WaveFormat> format;
  std::optional<std::span<const unsigned char>> data;
  std::size_t pos = kRiffHeaderSize;
  while (pos < end) {
    if (end - pos < kChunkHeaderSize) return Refuse(whyRefused, "truncated chunk header");
    const unsigned char* header = base + pos;
    const std::uint32_t size = ReadU32(header + 4);
    const std::size_t bodyPos = pos + kChunkHeaderSize;
    if (size > end - bodyPos) return Refuse(whyRefused, "chunk runs past the end");
    const std::span<const unsigned char> body(base + bodyPos, size);

    if (IsTag(header, "fmt ")) {
      if (format) return Refuse(whyRefused, "more than one \"fmt \" chunk");
      if (size < kPcmFormatSize) return Refuse(whyRefused, "\"fmt \" chunk too short");
      WaveFormat f;
      const std::uint16_t tag = ReadU16(body.data());
      f.channels = ReadU16(body.data() + 2);
      f.samplesPerSec = ReadU32(body.data() + 4);
      f.blockAlign = ReadU16(body.data() + 12);
      f.bitsPerSample = ReadU16(body.data() + 14);
      if (tag != kFormatPcm) return Refuse(whyRefused, "not PCM (format tag is not 1)");
      if (f.bitsPerSample != 8 && f.bitsPerSample != 16)
        return Refuse(whyRefused, "unsupported sample size (8 or 16 bits only)");
      if (f.channels == 0) return Refuse(whyRefused, "no channels");
      if (f.samplesPerSec == 0) return Refuse(whyRefused, "sample rate of 0");
      if (f.blockAlign != std::uint32_t{f.channels} * (f.bitsPerSample / 8))
        return Refuse(whyRefused, "block alignment disagrees with the format");
      format = f;
    } else if (IsTag(header, "data")) {
      if (data) return Refuse(whyRefused, "more than one \"data\" chunk");
      data = body;
    }

    // Chunks start on even offsets: an odd-sized chunk is followed by a pad
    // byte, which writers sometimes leave out after the last chunk.
    pos = bodyPos + size;
    if ((size & 1u) != 0 && pos < end) ++pos;
  }

  if (!format) return Refuse(whyRefused, "no \"fmt \" chunk");
  if (!data) return Refuse(whyRefused, "no \"data\" chunk");
  WaveClip clip;
  clip.format = *format;
  const std::size_t whole = data->size() - data->size() % format->blockAlign;
  clip.samples = data->first(whole);
  return clip;
}
