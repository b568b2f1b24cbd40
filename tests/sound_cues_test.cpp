// Which image the cue functions hand to the sound output, and how; and the
// real output where there is no sound server.
#include "sound/sound_cues.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <span>
#include <vector>

#include "platform/qt_sound_output.h"
#include "platform/resources.h"
#include "platform/sound_output.h"
#include "sound/sound_ids.h"

namespace {

// Keeps every image handed over, with its wait flag, and what the real
// output would do with it: a sound started while an earlier one (handed
// over without waiting) still sounds cuts that one off.
class RecordingOutput : public ISoundOutput {
 public:
  struct Handed {
    std::span<const unsigned char> image;
    bool wait;
  };
  RecordingOutput() { SetSoundOutput(this); }
  ~RecordingOutput() override { SetSoundOutput(nullptr); }

  void Play(std::span<const unsigned char> image, bool wait) override {
    if (m_sounding) cutOff.push_back(plays[*m_sounding].image);
    plays.push_back({image, wait});
    // A waited-for sound has ended when the call returns.
    m_sounding = wait ? std::nullopt : std::optional<std::size_t>(plays.size() - 1);
  }

  std::vector<Handed> plays;
  std::vector<std::span<const unsigned char>> cutOff;

 private:
  std::optional<std::size_t> m_sounding;
};

bool SameImage(std::span<const unsigned char> a, std::span<const unsigned char> b) {
  return a.data() == b.data() && a.size() == b.size();
}

}  // namespace

TEST(SoundCues, HandTheWholeStoredImageWithOrWithoutWaiting) {
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
    // The image in place, not a copy: the resource stays for the whole run.
    EXPECT_TRUE(SameImage(output.plays[k].image, stored));
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

TEST(SoundCues, ASecondCueCutsOffTheFirstButNotAFinishedOne) {
  RecordingOutput output;
  // A refused drop while "GO" still sounds.
  PlaySoundCue(IDR_SOUND_GO);
  PlaySoundCue(IDR_SOUND_REFUSED);
  ASSERT_EQ(output.cutOff.size(), 1u);
  EXPECT_TRUE(SameImage(output.cutOff[0], FindResource(IDR_SOUND_GO, "SOUND")));
  // The end of a perfect game: 102 is heard in full before 103 starts.
  output.cutOff.clear();
  PlaySoundCueSync(IDR_SOUND_GAME_OVER);
  PlaySoundCue(IDR_SOUND_PERFECT);
  ASSERT_EQ(output.cutOff.size(), 1u);  // only the refusal cue, cut by 102
  EXPECT_TRUE(SameImage(output.cutOff[0], FindResource(IDR_SOUND_REFUSED, "SOUND")));
}

TEST(QtSoundOutputWithoutServer, EverySoundIsSilentAndReturns) {
  // Point the sound client library at a server that does not exist, so
  // this test behaves the same on a desktop as on a build machine.
  setenv("PULSE_SERVER", "unix:/nonexistent/kelvo-no-sound-server", 1);
  QtSoundOutput output;
  // Damaged images are refused before the device is even looked for.
  const unsigned char junk[] = {'R', 'I', 'F', 'F', 0xFF, 0xFF, 0xFF, 0xFF, 'W', 'A', 'V', 'E'};
  output.Play(junk, true);
  output.Play({}, false);
  EXPECT_FALSE(output.HasDevice());

  output.WarmUp();
  if (output.HasDevice())
    GTEST_SKIP() << "a sound device was found anyway (the audio system was set up earlier)";
  // No device: both kinds of play return (a hang would time the test out)
  // and nothing else happens.
  output.Play(FindResource(IDR_SOUND_GAME_OVER, "SOUND"), true);
  output.Play(FindResource(IDR_SOUND_GO, "SOUND"), false);
  output.Shutdown();
  output.Play(FindResource(IDR_SOUND_REFUSED, "SOUND"), true);
  EXPECT_FALSE(output.HasDevice());
}
