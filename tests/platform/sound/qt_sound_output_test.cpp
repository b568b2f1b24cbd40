// The real sound output against sound servers that fail as they may on a
// player's machine: none at all, and one that takes connections but never
// answers.  Each case runs in a child process of its own (a death test), so
// Qt's audio engine starts afresh there, and a call that hangs ends the
// child by its alarm instead of holding up the suite.
#include "platform/sound/qt_sound_output.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/sound/wave_reader.h"
#include "sound/sound_ids.h"
#include "support/file_resources.h"

namespace {

// A Unix socket that takes every connection and never answers: a stalled
// sound server, as its clients see it.  (The kernel completes a connection
// that waits in the backlog; nothing is ever read or written.)
class StalledServer {
 public:
  StalledServer() {
    path_ = dir_.filePath(QStringLiteral("native")).toStdString();
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
    listening_ = fd_ >= 0 && path_.size() < sizeof address.sun_path &&
                 ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                 ::listen(fd_, 64) == 0;
  }
  ~StalledServer() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool Listening() const { return listening_; }
  std::string Address() const { return "unix:" + path_; }

 private:
  QTemporaryDir dir_;
  std::string path_;
  int fd_ = -1;
  bool listening_ = false;
};

template <typename Call>
long long MsTaken(Call call) {
  const auto start = std::chrono::steady_clock::now();
  call();
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               start)
      .count();
}

std::span<const unsigned char> Stored(UINT id) {
  static FileResourceFinder clips;
  return clips.Find(id, "SOUND");
}

// The child's whole life: plays as the game does through the sound server
// at `server` and ends with status 0 when every call returned in time, 1
// (with what took too long on stderr) when not.
[[noreturn]] void PlayThrough(const std::string& server) {
  std::signal(SIGALRM, [](int) {
    constexpr char kHung[] = "a call was still running after 10 s\n";
    [[maybe_unused]] const auto written = ::write(2, kHung, sizeof kHung - 1);
    std::_Exit(2);
  });
  alarm(10);
  setenv("PULSE_SERVER", server.c_str(), 1);
  int late = 0;
  const auto atMost = [&late](const char* what, long long ms, long long limit) {
    if (ms <= limit) return;
    std::fprintf(stderr, "%s took %lld ms, more than %lld\n", what, ms, limit);
    ++late;
  };
  QtSoundOutput output;
  const long long gameOverMs =
      static_cast<long long>(ReadWave(Stored(IDR_SOUND_GAME_OVER))->DurationMs());
  atMost("the warm-up", MsTaken([&] { output.WarmUp(); }), 100);
  atMost("a cue", MsTaken([&] { output.Play(IDR_SOUND_GO, Stored(IDR_SOUND_GO), false); }), 100);
  atMost("a waited cue",
         MsTaken([&] { output.Play(IDR_SOUND_GAME_OVER, Stored(IDR_SOUND_GAME_OVER), true); }),
         gameOverMs + static_cast<long long>(kWaitMarginMs) + 200);
  atMost("the shutdown", MsTaken([&] { output.Shutdown(); }), 1000);
  atMost("a waited cue after the shutdown",
         MsTaken([&] { output.Play(IDR_SOUND_REFUSED, Stored(IDR_SOUND_REFUSED), true); }), 50);
  if (output.HasDevice()) {
    std::fprintf(stderr, "a sound device was found behind %s\n", server.c_str());
    ++late;
  }
  std::fflush(stderr);
  std::_Exit(late == 0 ? 0 : 1);
}

}  // namespace

TEST(QtSoundOutputDeathTest, AStalledServerNeverHoldsUpTheCaller) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  StalledServer server;
  ASSERT_TRUE(server.Listening());
  EXPECT_EXIT(PlayThrough(server.Address()), ::testing::ExitedWithCode(0), "");
}

TEST(QtSoundOutputDeathTest, WithoutAServerEverySoundIsSilentAndReturns) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(PlayThrough("unix:/nonexistent/kelvo-no-sound-server"), ::testing::ExitedWithCode(0),
              "");
}
