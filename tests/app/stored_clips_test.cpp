// The clips the program carries, as Qt's resources hold them: each parses
// to its format and length, and each is exactly the committed file that the
// clips' generator makes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/interface/resources.h"
#include "platform/sound/wave_reader.h"
#include "sound/sound_ids.h"
#include "tools/sound_synthesis.h"

namespace {
using Bytes = std::vector<unsigned char>;

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
}  // namespace

TEST(StoredClips, EachParsesToItsFormatAndLength) {
  struct Expected {
    UINT id;
    std::uint16_t bits;
    std::size_t frames;
  };
  for (const Expected& e :
       {Expected{IDR_SOUND_GO, 8, 15606}, Expected{IDR_SOUND_GAME_OVER, 8, 27565},
        Expected{IDR_SOUND_PERFECT, 8, 25088}, Expected{IDR_SOUND_REFUSED, 16, 5513}}) {
    SCOPED_TRACE(e.id);
    // The type name matches without regard to case.
    const auto image = FindResource(e.id, "sound");
    ASSERT_FALSE(image.empty());
    EXPECT_EQ(FindResource(e.id, "SOUND").data(), image.data());
    std::string why;
    const auto clip = ReadWave(image, &why);
    ASSERT_TRUE(clip) << why;
    EXPECT_EQ(clip->format.channels, 1);
    EXPECT_EQ(clip->format.samplesPerSec, 22050u);
    EXPECT_EQ(clip->format.bitsPerSample, e.bits);
    EXPECT_EQ(clip->FrameCount(), e.frames);
    EXPECT_EQ(clip->samples.size(), e.frames * e.bits / 8);
    // The samples lie inside the resource.
    EXPECT_GE(clip->samples.data(), image.data());
    EXPECT_LE(clip->samples.data() + clip->samples.size(), image.data() + image.size());
  }
  EXPECT_TRUE(FindResource(105, "sound").empty());
  EXPECT_TRUE(FindResource(IDR_SOUND_GO, "icon").empty());
}

TEST(StoredClips, CommittedFilesAreExactlyWhatTheGeneratorMakes) {
  const std::vector<SynthesisedClip> clips = SynthesiseAllClips();
  ASSERT_EQ(clips.size(), 4u);
  bool someCarryExtraChunks = false;
  for (const SynthesisedClip& clip : clips) {
    SCOPED_TRACE(clip.fileName);
    const Bytes file = ReadFile(std::string(KELVO_SOURCE_DIR) + "/res/sounds/" + clip.fileName);
    EXPECT_TRUE(file == clip.image) << "res/sounds/" << clip.fileName
                                    << " differs from what kelvo-make-sounds makes; run it again";
    const auto resource = FindResource(clip.id, "SOUND");
    EXPECT_TRUE(Bytes(resource.begin(), resource.end()) == file) << "embedded copy differs";
    const std::string text(file.begin(), file.end());
    if (text.find("LIST") != std::string::npos || text.find("fact") != std::string::npos)
      someCarryExtraChunks = true;
  }
  EXPECT_TRUE(someCarryExtraChunks);
}
