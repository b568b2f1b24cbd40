// The WAVE reader against damaged copies of the clips the game carries and
// other malformed images: everything malformed is refused, nothing is read past the end
// (each image below is its own exactly-sized allocation, so AddressSanitizer
// catches any over-read).
#include "platform/sound/wave_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "sound/sound_ids.h"
#include "support/file_resources.h"

namespace {

using Bytes = std::vector<unsigned char>;

void PutU16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<unsigned char>(v & 0xFF));
  b.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}
void PutU32(Bytes& b, std::uint32_t v) {
  PutU16(b, v & 0xFFFF);
  PutU16(b, v >> 16);
}
void PutTag(Bytes& b, const char* tag) {
  for (int k = 0; k < 4; ++k) b.push_back(static_cast<unsigned char>(tag[k]));
}

// A chunk; `declared` overrides the size field (to lie about it), and the
// pad byte follows an odd body unless `pad` is false.
void PutChunk(Bytes& b, const char* tag, const Bytes& body, std::int64_t declared = -1,
              bool pad = true) {
  PutTag(b, tag);
  PutU32(b, declared < 0 ? static_cast<std::uint32_t>(body.size())
                         : static_cast<std::uint32_t>(declared));
  b.insert(b.end(), body.begin(), body.end());
  if (pad && body.size() % 2) b.push_back(0);
}

struct Fmt {
  std::uint16_t tag = 1, channels = 1;
  std::uint32_t rate = 22050;
  std::uint16_t blockAlign = 2, bits = 16;
};

Bytes FmtBody(const Fmt& f) {
  Bytes b;
  PutU16(b, f.tag);
  PutU16(b, f.channels);
  PutU32(b, f.rate);
  PutU32(b, f.rate * f.blockAlign);
  PutU16(b, f.blockAlign);
  PutU16(b, f.bits);
  return b;
}

// "RIFF" <size> "WAVE" + chunks; `riffSize` overrides the size field.
Bytes Riff(const Bytes& chunks, std::int64_t riffSize = -1) {
  Bytes b;
  PutTag(b, "RIFF");
  PutU32(b, riffSize < 0 ? static_cast<std::uint32_t>(4 + chunks.size())
                         : static_cast<std::uint32_t>(riffSize));
  PutTag(b, "WAVE");
  b.insert(b.end(), chunks.begin(), chunks.end());
  return b;
}

Bytes Samples(std::size_t n) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<unsigned char>(i * 7);
  return b;
}

// A plain 16-bit mono image with `dataBytes` of samples.
Bytes PlainImage(std::size_t dataBytes = 40) {
  Bytes chunks;
  PutChunk(chunks, "fmt ", FmtBody({}));
  PutChunk(chunks, "data", Samples(dataBytes));
  return Riff(chunks);
}

std::string Refusal(const Bytes& image) {
  std::string why;
  const auto clip = ReadWave(image, &why);
  return clip ? std::string("accepted") : why;
}

}  // namespace

TEST(WaveReader, WalksPastOtherChunksInAnyOrder) {
  // An odd-sized unknown chunk (with its pad byte) before "fmt ", the data
  // before the format, and a chunk after the data.
  Bytes chunks;
  PutChunk(chunks, "junk", Samples(3));
  PutChunk(chunks, "data", Samples(10));
  PutChunk(chunks, "fmt ", FmtBody({}));
  PutChunk(chunks, "LIST", Samples(6));
  const Bytes image = Riff(chunks);
  const auto clip = ReadWave(image);
  ASSERT_TRUE(clip);
  EXPECT_EQ(clip->FrameCount(), 5u);
  EXPECT_EQ(clip->samples[0], Samples(10)[0]);
  EXPECT_EQ(clip->samples.data(), image.data() + 12 + 8 + 4 + 8);
}

TEST(WaveReader, AcceptsTheLooseEndsRealFilesHave) {
  // An odd-sized data chunk at the very end without its pad byte.
  {
    Bytes chunks;
    Fmt f;
    f.bits = 8;
    f.blockAlign = 1;
    PutChunk(chunks, "fmt ", FmtBody(f));
    PutChunk(chunks, "data", Samples(7), -1, /*pad=*/false);
    const auto clip = ReadWave(Riff(chunks));
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->FrameCount(), 7u);
  }
  // Bytes after the RIFF form are not part of the sound.
  {
    Bytes image = PlainImage(40);
    image.insert(image.end(), {'x', 'y', 'z'});
    const auto clip = ReadWave(image);
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->FrameCount(), 20u);
  }
  // A partial last frame is left out; an empty data chunk is a silent clip.
  {
    const auto clip = ReadWave(PlainImage(41));
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->FrameCount(), 20u);
    EXPECT_EQ(clip->samples.size(), 40u);
    const auto empty = ReadWave(PlainImage(0));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->FrameCount(), 0u);
    EXPECT_EQ(empty->DurationMs(), 0u);
  }
  // An extended "fmt " (18 bytes) is fine.
  {
    Bytes fmt = FmtBody({});
    PutU16(fmt, 0);
    Bytes chunks;
    PutChunk(chunks, "fmt ", fmt);
    PutChunk(chunks, "data", Samples(4));
    EXPECT_EQ(Refusal(Riff(chunks)), "accepted");
  }
}

TEST(WaveReader, RefusesEveryTruncationOfAValidImage) {
  Bytes chunks;
  PutChunk(chunks, "fmt ", FmtBody({}));
  PutChunk(chunks, "LIST", Samples(5));
  PutChunk(chunks, "data", Samples(30));
  const Bytes full = Riff(chunks);
  ASSERT_TRUE(ReadWave(full));
  for (std::size_t n = 0; n < full.size(); ++n) {
    const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_FALSE(ReadWave(cut)) << "accepted the first " << n << " bytes";
  }
}

TEST(WaveReader, RefusesSizesThatRunPastTheEnd) {
  // The data chunk claims more than there is: a damaged file, not a shorter
  // sound.
  {
    Bytes chunks;
    PutChunk(chunks, "fmt ", FmtBody({}));
    PutChunk(chunks, "data", Samples(20), 400);
    EXPECT_EQ(Refusal(Riff(chunks)), "chunk runs past the end");
  }
  // Sizes near 4 GiB must not wrap around.
  for (std::uint32_t huge : {0xFFFFFFFFu, 0xFFFFFFF8u, 0x80000000u}) {
    Bytes chunks;
    PutChunk(chunks, "fmt ", FmtBody({}));
    PutChunk(chunks, "data", Samples(20), huge);
    EXPECT_EQ(Refusal(Riff(chunks)), "chunk runs past the end") << huge;
    EXPECT_FALSE(ReadWave(Riff(chunks, huge))) << huge;
  }
  // An unknown chunk that overruns.
  {
    Bytes chunks;
    PutChunk(chunks, "fmt ", FmtBody({}));
    PutChunk(chunks, "junk", Samples(2), 100);
    EXPECT_EQ(Refusal(Riff(chunks)), "chunk runs past the end");
  }
  // The RIFF form claims more than the image holds, or less than its header.
  EXPECT_EQ(Refusal(Riff({}, 1000)), "truncated: shorter than its RIFF size");
  EXPECT_EQ(Refusal(Riff({}, 2)), "RIFF size too small");
  // A few stray bytes where the next chunk header should be.
  {
    Bytes chunks;
    PutChunk(chunks, "fmt ", FmtBody({}));
    PutChunk(chunks, "data", Samples(4));
    chunks.insert(chunks.end(), {'a', 'b', 'c'});
    EXPECT_EQ(Refusal(Riff(chunks)), "truncated chunk header");
  }
}

TEST(WaveReader, RefusesMissingOrRepeatedChunks) {
  Bytes onlyFmt, onlyData, twoFmt, twoData;
  PutChunk(onlyFmt, "fmt ", FmtBody({}));
  PutChunk(onlyData, "data", Samples(8));
  twoFmt = onlyFmt;
  PutChunk(twoFmt, "fmt ", FmtBody({}));
  PutChunk(twoFmt, "data", Samples(8));
  twoData = onlyFmt;
  PutChunk(twoData, "data", Samples(8));
  PutChunk(twoData, "data", Samples(8));
  EXPECT_EQ(Refusal(Riff(onlyFmt)), "no \"data\" chunk");
  EXPECT_EQ(Refusal(Riff(onlyData)), "no \"fmt \" chunk");
  EXPECT_EQ(Refusal(Riff({})), "no \"fmt \" chunk");
  EXPECT_EQ(Refusal(Riff(twoFmt)), "more than one \"fmt \" chunk");
  EXPECT_EQ(Refusal(Riff(twoData)), "more than one \"data\" chunk");
}

TEST(WaveReader, RefusesFormatsItCannotPlay) {
  auto withFmt = [](const Fmt& f) {
    Bytes chunks;
    PutChunk(chunks, "fmt ", FmtBody(f));
    PutChunk(chunks, "data", Samples(8));
    return Riff(chunks);
  };
  Fmt f;
  f.tag = 3;  // IEEE float
  EXPECT_EQ(Refusal(withFmt(f)), "not PCM (format tag is not 1)");
  f.tag = 0xFFFE;  // extensible
  EXPECT_EQ(Refusal(withFmt(f)), "not PCM (format tag is not 1)");
  f = {};
  f.bits = 24;
  f.blockAlign = 3;
  EXPECT_EQ(Refusal(withFmt(f)), "unsupported sample size (8 or 16 bits only)");
  f = {};
  f.channels = 0;
  f.blockAlign = 0;
  EXPECT_EQ(Refusal(withFmt(f)), "no channels");
  f = {};
  f.rate = 0;
  EXPECT_EQ(Refusal(withFmt(f)), "sample rate of 0");
  f = {};
  f.blockAlign = 4;  // says stereo, channels say mono
  EXPECT_EQ(Refusal(withFmt(f)), "block alignment disagrees with the format");

  Bytes shortFmt;
  Bytes body = FmtBody({});
  body.resize(14);
  PutChunk(shortFmt, "fmt ", body);
  PutChunk(shortFmt, "data", Samples(8));
  EXPECT_EQ(Refusal(Riff(shortFmt)), "\"fmt \" chunk too short");

  Bytes notWave = PlainImage();
  notWave[8] = 'A';
  EXPECT_EQ(Refusal(notWave), "not a RIFF WAVE image");
  EXPECT_EQ(Refusal(Bytes{'R', 'I', 'F', 'F'}), "too short for a RIFF header");
  EXPECT_EQ(Refusal(Bytes{}), "too short for a RIFF header");
}

TEST(WaveReader, DamagedCopiesOfTheStoredClipsNeverReadOutside) {
  // Random bytes and sizes overwritten in copies of real clips: whatever the
  // reader says, an accepted clip's samples lie inside the image.
  std::mt19937 random(2024);
  FileResourceFinder clips;
  for (UINT id = IDR_SOUND_GO; id <= IDR_SOUND_REFUSED; ++id) {
    const auto resource = clips.Find(id, "SOUND");
    ASSERT_FALSE(resource.empty());
    const Bytes original(resource.begin(), resource.end());
    int accepted = 0;
    for (int round = 0; round < 800; ++round) {
      Bytes image = original;
      // The chunk headers are in the first hundred bytes or so (the LIST
      // after the data of cue 102 is the exception, found by the cuts).
      const int edits = 1 + static_cast<int>(random() % 3);
      for (int e = 0; e < edits; ++e) {
        const std::size_t at = random() % 100;
        image[at] = static_cast<unsigned char>(random());
      }
      if (random() % 3 == 0) image.resize(random() % (image.size() + 1));
      const Bytes exact(image.begin(), image.end());  // no slack after the end
      const auto clip = ReadWave(exact);
      if (!clip) continue;
      ++accepted;
      EXPECT_GE(clip->samples.data(), exact.data());
      EXPECT_LE(clip->samples.data() + clip->samples.size(), exact.data() + exact.size());
      EXPECT_GT(clip->format.blockAlign, 0);
    }
    // Damage to bytes the reader does not look at (byte rate, fact, text)
    // leaves a playable clip: the test must also see accepted images.
    EXPECT_GT(accepted, 0) << id;
  }
}
