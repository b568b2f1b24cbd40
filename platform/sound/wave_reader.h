// Reads a RIFF/WAVE image held in memory (a stored sound resource) without
// copying it.  Only uncompressed PCM with 8- or 16-bit samples is played;
// anything malformed is refused with a reason, and the reader never looks
// past the image's last byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct WaveFormat {
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSec = 0;
  std::uint16_t bitsPerSample = 0;  // 8 (unsigned, centred on 128) or 16 (signed)
  std::uint16_t blockAlign = 0;     // bytes of one frame: channels * bitsPerSample / 8
};

struct WaveClip {
  WaveFormat format;
  // The sample bytes inside the image, whole frames only.
  std::span<const unsigned char> samples;

  std::size_t FrameCount() const { return samples.size() / format.blockAlign; }
  // Length in milliseconds, rounded up.
  std::uint64_t DurationMs() const;
};

// Parses `image`.  On refusal returns nothing and, when `whyRefused` is
// given, says why.  The clip's samples point into `image`, so it must
// outlive the clip.
//
// What is refused: an image shorter than its RIFF header says (truncated), a
// chunk whose size runs past the end (even a "data" chunk: a clip cut short
// is a damaged file, not a shorter sound), a chunk header cut off at the end,
// a missing or repeated "fmt " or "data" chunk, a format tag other than 1
// (PCM), sample sizes other than 8 or 16 bits, no channels, a rate of 0, and
// a block alignment that disagrees with channels and sample size.
// What is accepted: chunks in any order, unknown chunks (skipped, with the
// pad byte that follows an odd-sized chunk), a missing pad byte after the
// very last chunk, bytes after the RIFF form (ignored), and a "data" size
// that is not a whole number of frames (the partial frame is not played).
std::optional<WaveClip> ReadWave(std::span<const unsigned char> image,
                                 std::string* whyRefused = nullptr);
