#include "platform/qt/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace {
constexpr int kSignals[] = {SIGTERM, SIGHUP};
int g_writeEnd = -1;

void OnSignal(int signal) {
  // Only what is safe in a signal handler; a full pipe already says enough.
  const int saved = errno;
  const char byte = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &byte, 1);
  errno = saved;
}
}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal) {
  int ends[2];
  // Without a pipe the signals keep their default action.
  if (g_writeEnd >= 0 || ::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
  m_readEnd = ends[0];
  g_writeEnd = ends[1];
  m_notifier = std::make_unique<QSocketNotifier>(m_readEnd, QSocketNotifier::Read);
  QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this, onSignal] {
    char bytes[64];
    while (::read(m_readEnd, bytes, sizeof bytes) > 0) {
    }
    onSignal();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kSignals) {
    struct sigaction old {};
    if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler != SIG_IGN)
      ::sigaction(signal, &action, nullptr);
  }
}

TerminationSignals::~TerminationSignals() {
  if (m_readEnd < 0) return;
  for (const int signal : kSignals) {
    struct sigaction current {};
    if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == OnSignal)
      std::signal(signal, SIG_DFL);
  }
  m_notifier.reset();
  ::close(g_writeEnd);
  ::close(m_readEnd);
  g_writeEnd = -1;
}
