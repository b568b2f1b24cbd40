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
  // Makes RunUntil return, or the thread's loop look at its input again;
  // called from the worker thread, and when the wait is over.
  virtual void Wake() = 0;
};
void SetWaitingLoop(IWaitingLoop* loop);

// How long a file operation may take before the game gives up on it.
std::chrono::milliseconds FileCallLimit();
void SetFileCallLimit(std::chrono::milliseconds limit);

// Decides, between a file operation and the caller waiting for it, whether
// the operation may still change anything: the operation asks just before
// its first change that cannot be undone (a rename, a write into the file
// itself), the caller gives up at its deadline, and whichever comes first
// wins.
class CommitGate {
 public:
  // From the operation: true when it may make its change now; false once the
  // caller has given up, and the operation then changes nothing.
  bool Enter() { return Move(kCommitting); }
  // From the caller at its deadline: true when the operation will now change
  // nothing; false when its change had already begun (it may still finish).
  bool Abandon() { return Move(kAbandoned); }

 private:
  enum State { kRunning, kCommitting, kAbandoned };
  bool Move(State to) {
    State from = kRunning;
    return m_state.compare_exchange_strong(from, to) || from == to;
  }
  std::atomic<State> m_state{kRunning};
};

namespace bounded_call_detail {
struct Task;
// Starts `task` on a worker thread and waits at most `limit` for it; true
// when it finished in time.  On false the worker is left to finish on its
// own, and `mayStillFinish` says whether it had entered its gate.
bool RunAndWait(const std::shared_ptr<Task>& task, std::chrono::milliseconds limit,
                bool* mayStillFinish);
std::shared_ptr<Task> MakeTask(std::function<void(CommitGate& gate)> run);
}  // namespace bounded_call_detail

// Runs `work` on a worker thread and returns its result, or nothing when it
// did not finish within `limit` (the file call limit unless told).  `work`
// may outlive this call, so it must own what it uses (capture by value).  It
// enters the gate it is handed before changing anything that cannot be
// undone; when nothing is returned, `mayStillFinish` (if given) says whether
// it had.
template <class Result>
std::optional<Result> CallBounded(std::function<Result(CommitGate& gate)> work,
                                  bool* mayStillFinish = nullptr,
                                  std::chrono::milliseconds limit = FileCallLimit()) {
  auto result = std::make_shared<std::optional<Result>>();
  auto task = bounded_call_detail::MakeTask(
      [work = std::move(work), result](CommitGate& gate) { *result = work(gate); });
  if (!bounded_call_detail::RunAndWait(task, limit, mayStillFinish)) return std::nullopt;
  return std::move(*result);
}

// The reason given when a file operation did not answer in time; with
// `saveMayStillFinish`, that it had begun to change the file.
std::string NoAnswerReason(bool saveMayStillFinish = false);

// A file operation (false with the reason in `why`) run through CallBounded;
// one that does not answer in time fails too, with a reason that says so and
// whether it may still change the file.
bool CallFileOperation(std::function<bool(std::string* why, CommitGate& gate)> operation,
                       std::string* why);
