// File-system calls that may never return -- a stalled network mount, a
// device, a file held by another program -- run on a worker thread, and the
// caller waits for them only so long.  While it waits, a shown main window
// keeps its timers and painting going (keys and clicks wait until the call is
// over), so no file can freeze the game.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// What the waiting thread does meanwhile.  The window's thread keeps its
// window going; the Qt layer installs that (platform/qt/qt_platform.h).
// Without one installed, or on another thread, the caller simply blocks.
class IWaitingLoop {
 public:
  virtual ~IWaitingLoop() = default;
  // Whether the calling thread has a window to keep going while it waits.
  virtual bool KeepsWindowAlive() const = 0;
  // Handles the thread's events, user input held back, until Wake() or
  // `deadline`; it may return earlier (the caller asks again).
  virtual void RunUntil(std::chrono::steady_clock::time_point deadline) = 0;
  // Makes RunUntil return; called from the worker thread.
  virtual void Wake() = 0;
};
void SetWaitingLoop(IWaitingLoop* loop);

// How long a file operation may take before the game gives up on it.
std::chrono::milliseconds FileCallLimit();
void SetFileCallLimit(std::chrono::milliseconds limit);

namespace bounded_call_detail {
struct Task;
// Starts `task` on a worker thread and waits at most `limit` for it; true
// when it finished in time.  On false the task's give-up flag is set and the
// worker is left to finish on its own.
bool RunAndWait(const std::shared_ptr<Task>& task, std::chrono::milliseconds limit);
std::shared_ptr<Task> MakeTask(std::function<void(const std::atomic<bool>& givenUp)> run);
}  // namespace bounded_call_detail

// Runs `work` on a worker thread and returns its result, or nothing when it
// did not finish within `limit`.  `work` may outlive this call, so it must
// own what it uses (capture by value).  It is handed a flag that is set once
// the caller has given up: check it before changing anything that cannot be
// undone.
template <class Result>
std::optional<Result> CallBounded(std::function<Result(const std::atomic<bool>& givenUp)> work,
                                  std::chrono::milliseconds limit = FileCallLimit()) {
  auto result = std::make_shared<std::optional<Result>>();
  auto task = bounded_call_detail::MakeTask(
      [work = std::move(work), result](const std::atomic<bool>& givenUp) {
        *result = work(givenUp);
      });
  if (!bounded_call_detail::RunAndWait(task, limit)) return std::nullopt;
  return std::move(*result);
}

// The reason given when a file operation did not answer in time.
std::string NoAnswerReason();

// A file operation (false with the reason in `why`) run through CallBounded;
// one that does not answer in time fails too, with a reason that says so.
bool CallFileOperation(
    std::function<bool(std::string* why, const std::atomic<bool>& givenUp)> operation,
    std::string* why);
