// kelvo-stalled-server: a server that has stalled, as its clients see it: a
// Unix socket at PATH that takes every connection and never answers.
// tools/check-sound-output points the game at it as a sound server,
// tests/start_environment_check.sh as an X server, a Wayland compositor and
// a session bus.  Runs until a signal ends
// it, and removes the socket then.  A PATH starting with "@" is a name in
// Linux's abstract namespace, where X clients look first (a machine on
// which no X server has run has no /tmp/.X11-unix to put a socket in).
//   kelvo-stalled-server PATH
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
const char* g_path = nullptr;

void EndOnSignal(int) {
  if (g_path[0] != '@') ::unlink(g_path);
  ::_exit(0);
}
}  // namespace

int main(int argc, char** argv) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (argc != 2 || std::strlen(argv[1]) >= sizeof address.sun_path) {
    std::fprintf(stderr, "usage: kelvo-stalled-server PATH (at most %zu bytes)\n",
                 sizeof address.sun_path - 1);
    return 2;
  }
  g_path = argv[1];
  std::strcpy(address.sun_path, g_path);
  socklen_t length = sizeof address;
  if (g_path[0] == '@') {
    // An abstract name is all of its bytes, without a terminating zero.
    address.sun_path[0] = '\0';
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + std::strlen(g_path));
  }
  const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listener, 128) != 0) {
    std::perror("kelvo-stalled-server");
    return 1;
  }
  std::signal(SIGTERM, EndOnSignal);
  std::signal(SIGINT, EndOnSignal);
  // Every connection is taken, so the backlog never fills, and kept open
  // without a byte read or written.
  std::vector<int> held;
  for (;;) {
    const int connection = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection >= 0) held.push_back(connection);
  }
}
