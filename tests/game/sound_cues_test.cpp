// Which image the cue functions hand to the sound output, and how.
#include "sound/sound_cues.h"

#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "platform/interface/resources.h"
#include "platform/interface/sound_output.h"
#include "sound/sound_ids.h"

namespace {

// Keeps every clip handed over: its id, its image and whether the caller
// waited for it.
class RecordingOutput : public ISoundOutput {
 public:
  struct Handed {
    UINT id;
    std::span<const unsigned char> image;
    bool wait;
  };
  RecordingOutput() : previous(SetSoundOutput(this)) {}
  ~RecordingOutput() override { SetSoundOutput(previous); }
  ISoundOutput* previous;

  void Play(UINT clipId, std::span<const unsigned char> image, bool wait) override {
    plays.push_back({clipId, image, wait});
  }

  std::vector<Handed> plays;
};

}  // namespace

// How the output cuts one cue off with the next, and leaves a finished one's
// tail alone, is checked on real sound by SoundReachesTheServer.
TEST(SoundCues, HandTheWholeStoredImageUnderItsIdWithOrWithoutWaiting) {
  RecordingOutput output;
  PlaySoundCue(IDR_SOUND_GO);
  PlaySoundCueSync(IDR_SOUND_GAME_OVER);
  PlaySoundCue(IDR_SOUND_PERFECT);
  PlaySoundCue(IDR_SOUND_REFUSED);
  ASSERT_EQ(output.plays.size(), 4u);
  const UINT ids[] = {IDR_SOUND_GO, IDR_SOUND_GAME_OVER, IDR_SOUND_PERFECT, IDR_SOUND_REFUSED};
  for (std::size_t k = 0; k < 4; ++k) {
    SCOPED_TRACE(ids[k]);
    const auto stored = FindResource(ids[k], "SOUND");
    ASSERT_FALSE(stored.empty());
    EXPECT_EQ(output.plays[k].id, ids[k]);
    // The image in place, not a copy: the resource stays for the whole run.
    EXPECT_EQ(output.plays[k].image.data(), stored.data());
    EXPECT_EQ(output.plays[k].image.size(), stored.size());
    EXPECT_EQ(output.plays[k].wait, ids[k] == IDR_SOUND_GAME_OVER);
  }
}

TEST(SoundCues, AMissingClipPlaysNothing) {
  RecordingOutput output;
  PlaySoundCue(0);
  PlaySoundCue(105);
  PlaySoundCueSync(100);
  PlaySoundCueSync(0xFFFFFFFFu);
  EXPECT_TRUE(output.plays.empty());
}
