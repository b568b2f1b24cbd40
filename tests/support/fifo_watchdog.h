// A named pipe for tests that must not block on it.  Opening a pipe for
// reading waits for a writer; should the code under test do that, the
// watchdog opens the other end after a deadline, so the test fails instead
// of hanging the suite.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <utility>

class FifoWatchdog {
 public:
  explicit FifoWatchdog(std::string path) : path_(std::move(path)) {
    created_ = ::mkfifo(path_.c_str(), 0600) == 0;
  }
  ~FifoWatchdog() { Disarm(); }

  bool Created() const { return created_; }
  const std::string& Path() const { return path_; }

  // From now on, a reader or writer still blocked after `deadline` is
  // released.
  void Arm(std::chrono::milliseconds deadline = std::chrono::milliseconds(3000)) {
    Disarm();
    stop_ = false;
    fired_ = false;
    thread_ = std::thread([this, deadline] {
      const auto until = std::chrono::steady_clock::now() + deadline;
      while (!stop_ && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      if (stop_) return;
      fired_ = true;
      // Both ends, so that a blocked reader and a blocked writer go on; the
      // read end stays open, so nothing written meets a closed pipe.
      const int reader = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      while (!stop_) {
        const int writer = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (writer >= 0) ::close(writer);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      if (reader >= 0) ::close(reader);
    });
  }
  // Stops watching; true when the deadline had passed (the code under test
  // blocked, and was released).
  bool Disarm() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return fired_;
  }

 private:
  std::string path_;
  bool created_ = false;
  std::atomic<bool> stop_{true};
  std::atomic<bool> fired_{false};
  std::thread thread_;
};
