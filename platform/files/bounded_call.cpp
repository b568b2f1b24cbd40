#include "platform/files/bounded_call.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/language/translation.h"

namespace {
std::atomic<long long> g_limitMs{3000};
IWaitingLoop* g_waitingLoop = nullptr;
}  // namespace

void SetWaitingLoop(IWaitingLoop* loop) { g_waitingLoop = loop; }

std::chrono::milliseconds FileCallLimit() { return std::chrono::milliseconds(g_limitMs.load()); }
void SetFileCallLimit(std::chrono::milliseconds limit) { g_limitMs = limit.count(); }

namespace bounded_call_detail {

struct Task {
  std::function<void(CommitGate&)> run;
  CommitGate gate;
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  // The loop to wake when done, while the caller waits in it.
  IWaitingLoop* waiting = nullptr;
};

std::shared_ptr<Task> MakeTask(std::function<void(CommitGate&)> run) {
  auto task = std::make_shared<Task>();
  task->run = std::move(run);
  return task;
}

namespace {

void Work(const std::shared_ptr<Task>& task) {
  task->run(task->gate);
  std::lock_guard lock(task->mutex);
  task->done = true;
  task->finished.notify_all();
  // Under the lock: the caller clears `waiting` under it before it leaves
  // its loop, so the dispatcher is still there.
  if (task->waiting) task->waiting->Wake();
}

// The loop may return before the deadline (woken by any event): it is run
// again for the time left, so the wait can neither end early nor oversleep.
bool WaitKeepingWindowAlive(Task& task, IWaitingLoop& loop,
                            std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    {
      std::lock_guard lock(task.mutex);
      if (task.done || std::chrono::steady_clock::now() >= deadline) {
        task.waiting = nullptr;
        // The keys and clicks held back meanwhile are handled as soon as
        // the thread is back in its loop, not at the window system's next
        // event.
        loop.Wake();
        return task.done;
      }
      task.waiting = &loop;
    }
    loop.RunUntil(deadline);
  }
}

bool WaitQuietly(Task& task, std::chrono::steady_clock::time_point deadline) {
  std::unique_lock lock(task.mutex);
  return task.finished.wait_until(lock, deadline, [&] { return task.done; });
}

}  // namespace

bool RunAndWait(const std::shared_ptr<Task>& task, std::chrono::milliseconds limit,
                bool* mayStillFinish) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  try {
    std::thread([task] { Work(task); }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: the call is made here, unbounded, rather than not
    // at all.
    Work(task);
    return true;
  }
  IWaitingLoop* loop = g_waitingLoop;
  const bool done = loop && loop->KeepsWindowAlive()
                        ? WaitKeepingWindowAlive(*task, *loop, deadline)
                        : WaitQuietly(*task, deadline);
  if (mayStillFinish) *mayStillFinish = false;
  if (done || task->gate.Abandon()) return done;
  // Its change had begun, and may have ended since the deadline.
  std::lock_guard lock(task->mutex);
  if (mayStillFinish) *mayStillFinish = !task->done;
  return task->done;
}

}  // namespace bounded_call_detail

std::string NoAnswerReason(bool saveMayStillFinish) {
  // In whole seconds, at least one.
  const long long seconds = std::max(1LL, (g_limitMs.load() + 999) / 1000);
  const unsigned long n = static_cast<unsigned long>(seconds);
  // TRANSLATORS: ends a sentence such as "Cannot save "x": ...".
  if (saveMayStillFinish)
    return FormattedText(
        TranslatedCount("its file system did not answer within %lld second (a stalled network "
                        "drive?); the save had begun and may still finish",
                        "its file system did not answer within %lld seconds (a stalled network "
                        "drive?); the save had begun and may still finish",
                        n),
        seconds);
  return FormattedText(
      TranslatedCount(
          "its file system did not answer within %lld second (a stalled network drive?)",
          "its file system did not answer within %lld seconds (a stalled network drive?)", n),
      seconds);
}

bool CallFileOperation(std::function<bool(std::string* why, CommitGate& gate)> operation,
                       std::string* why) {
  struct Outcome {
    bool ok = false;
    std::string why;
  };
  bool mayStillFinish = false;
  const std::optional<Outcome> outcome = CallBounded<Outcome>(
      [operation = std::move(operation)](CommitGate& gate) {
        Outcome o;
        o.ok = operation(&o.why, gate);
        return o;
      },
      &mayStillFinish);
  if (!outcome) {
    *why = NoAnswerReason(mayStillFinish);
    return false;
  }
  if (!outcome->ok) *why = outcome->why;
  return outcome->ok;
}
