// Which clip each cue function hands to the sound output, and how: the
// clips stored for the four events, at their lengths, waited for only at
// the end of a game.
#include "sound/sound_cues.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/sound/wave_reader.h"
#include "sound/sound_ids.h"
#include "support/game_play.h"

// How the output cuts one cue off with the next, and leaves a finished one's
// tail alone, is checked on real sound by SoundReachesTheServer.
TEST(SoundCues, EachHandsOverItsStoredClipWholeWithOrWithoutWaiting) {
  struct Clip {
    UINT id;
    std::size_t frames;
    bool waited;
  };
  const std::vector<Clip> clips = {{IDR_SOUND_GO, 15606, false},
                                   {IDR_SOUND_GAME_OVER, 27565, true},
                                   {IDR_SOUND_PERFECT, 25088, false},
                                   {IDR_SOUND_REFUSED, 5513, false}};
  CueRecorder output;
  std::vector<std::size_t> frames;
  output.onImage = [&](std::span<const unsigned char> image) {
    const auto clip = ReadWave(image);
    frames.push_back(clip ? clip->FrameCount() : 0);
    EXPECT_TRUE(clip && clip->format.samplesPerSec == 22050);
  };
  for (const Clip& c : clips) (c.waited ? PlaySoundCueSync : PlaySoundCue)(c.id);
  ASSERT_EQ(output.plays.size(), clips.size());
  for (std::size_t k = 0; k < clips.size(); ++k) {
    SCOPED_TRACE(clips[k].id);
    EXPECT_EQ(output.plays[k].id, clips[k].id);
    EXPECT_EQ(output.plays[k].waited, clips[k].waited);
    EXPECT_EQ(frames[k], clips[k].frames);
  }
}

TEST(SoundCues, AMissingClipPlaysNothing) {
  CueRecorder output;
  PlaySoundCue(0);
  PlaySoundCue(105);
  PlaySoundCueSync(100);
  PlaySoundCueSync(0xFFFFFFFFu);
  EXPECT_TRUE(output.plays.empty());
}
