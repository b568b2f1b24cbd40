// Converting clips to what a sound device takes: sample types, channel
// counts and rates.
#include "platform/pcm_conversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

WaveClip Clip(const std::vector<unsigned char>& bytes, std::uint16_t channels, std::uint16_t bits,
              std::uint32_t rate = 22050) {
  WaveClip clip;
  clip.format.channels = channels;
  clip.format.bitsPerSample = bits;
  clip.format.samplesPerSec = rate;
  clip.format.blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
  clip.samples = bytes;
  return clip;
}

std::vector<std::int16_t> AsInt16(const std::vector<unsigned char>& bytes) {
  std::vector<std::int16_t> out(bytes.size() / 2);
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return out;
}

std::vector<unsigned char> Int16Bytes(std::initializer_list<std::int16_t> values) {
  std::vector<unsigned char> out;
  for (std::int16_t v : values) {
    const auto u = static_cast<std::uint16_t>(v);
    out.push_back(static_cast<unsigned char>(u & 0xFF));
    out.push_back(static_cast<unsigned char>(u >> 8));
  }
  return out;
}

}  // namespace

TEST(PcmConversion, EightBitSamplesAreCentredOn128) {
  const std::vector<unsigned char> bytes = {128, 255, 0, 192};
  const auto out = AsInt16(ConvertPcm(Clip(bytes, 1, 8), {22050, 1, PcmSampleType::Int16}));
  EXPECT_EQ(out, (std::vector<std::int16_t>{0, 32512, -32768, 16384}));
  // And back to 8 bits unchanged.
  EXPECT_EQ(ConvertPcm(Clip(bytes, 1, 8), {22050, 1, PcmSampleType::UInt8}), bytes);
}

TEST(PcmConversion, SixteenBitSamplesAreLittleEndianAndSigned) {
  const auto bytes = Int16Bytes({0, -32768, 32767, -2});
  EXPECT_EQ(AsInt16(ConvertPcm(Clip(bytes, 1, 16), {22050, 1, PcmSampleType::Int16})),
            (std::vector<std::int16_t>{0, -32768, 32767, -2}));
  const auto asFloat = ConvertPcm(Clip(bytes, 1, 16), {22050, 1, PcmSampleType::Float});
  ASSERT_EQ(asFloat.size(), 16u);
  float f[4];
  std::memcpy(f, asFloat.data(), sizeof f);
  EXPECT_FLOAT_EQ(f[0], 0.0f);
  EXPECT_FLOAT_EQ(f[1], -1.0f);
  EXPECT_NEAR(f[2], 1.0f, 1e-4);
  const auto asInt32 = ConvertPcm(Clip(bytes, 1, 16), {22050, 1, PcmSampleType::Int32});
  std::int32_t i[4];
  std::memcpy(i, asInt32.data(), sizeof i);
  EXPECT_EQ(i[1], INT32_MIN);
  EXPECT_EQ(i[3], -2 * 65536);
}

TEST(PcmConversion, MonoFillsEveryChannelAndChannelsAverageToMono) {
  const auto mono = Int16Bytes({1000, -1000});
  EXPECT_EQ(AsInt16(ConvertPcm(Clip(mono, 1, 16), {22050, 2, PcmSampleType::Int16})),
            (std::vector<std::int16_t>{1000, 1000, -1000, -1000}));
  const auto stereo = Int16Bytes({1000, 3000, -4000, 0});
  EXPECT_EQ(AsInt16(ConvertPcm(Clip(stereo, 2, 16), {22050, 1, PcmSampleType::Int16})),
            (std::vector<std::int16_t>{2000, -2000}));
}

TEST(PcmConversion, ResamplingInterpolatesWithoutDrift) {
  // Doubling the rate puts the mean of neighbours between them; the last
  // frame is held.
  const auto bytes = Int16Bytes({0, 1000, 3000});
  EXPECT_EQ(AsInt16(ConvertPcm(Clip(bytes, 1, 16), {44100, 1, PcmSampleType::Int16})),
            (std::vector<std::int16_t>{0, 500, 1000, 2000, 3000, 3000}));
  // A whole clip from 22,050 to 48,000 Hz keeps its length (rounded up).
  const std::vector<unsigned char> go(15606, 128);
  const auto out = ConvertPcm(Clip(go, 1, 8), {48000, 2, PcmSampleType::Int16});
  EXPECT_EQ(out.size() / 4, (15606u * 48000 + 22049) / 22050);
  // Halving keeps every other frame.
  const auto four = Int16Bytes({10, 20, 30, 40});
  EXPECT_EQ(AsInt16(ConvertPcm(Clip(four, 1, 16, 44100), {22050, 1, PcmSampleType::Int16})),
            (std::vector<std::int16_t>{10, 30}));
}

TEST(PcmConversion, RefusesUnusableLayoutsAndHugeResults) {
  const std::vector<unsigned char> bytes(100, 128);
  EXPECT_TRUE(ConvertPcm(Clip(bytes, 1, 8), {0, 1, PcmSampleType::Int16}).empty());
  EXPECT_TRUE(ConvertPcm(Clip(bytes, 1, 8), {22050, 0, PcmSampleType::Int16}).empty());
  EXPECT_TRUE(ConvertPcm(Clip({}, 1, 8), {22050, 1, PcmSampleType::Int16}).empty());
  // A damaged header claiming 1 sample a second would blow 100 bytes up to
  // hundreds of megabytes at 192 kHz stereo: refused, not allocated.
  EXPECT_TRUE(ConvertPcm(Clip(bytes, 1, 8, 1), {192000, 2, PcmSampleType::Float}).empty());
}
