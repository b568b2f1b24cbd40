// SIGTERM (a desktop's logout, the session being stopped) and SIGHUP (the
// terminal gone) end the program in order, as closing its window does, so
// that what is saved at exit is saved.  The signal handler only writes to a
// pipe (the self-pipe pattern); the window's thread reads the other end.
// SIGINT keeps its default: Ctrl+C in a terminal stops the program at once.
#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

class TerminationSignals {
 public:
  // `onSignal` runs on this thread's event loop after either signal.  A
  // signal ignored at start (nohup) stays ignored.
  explicit TerminationSignals(std::function<void()> onSignal);
  // The signals' default actions come back.
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

 private:
  int m_readEnd = -1;
  std::unique_ptr<QSocketNotifier> m_notifier;
};
