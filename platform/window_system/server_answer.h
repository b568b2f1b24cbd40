// What a server said when the game asked, with a time limit, whether it is
// there.  libxcb, libwayland and libdbus wait without a limit for a server
// that takes the connection and never answers (a hung X server, a stalled
// compositor or bus), and Qt with them; so the servers the game needs are
// asked first, before Qt is handed them.
#pragma once

enum class ServerAnswer {
  kAnswers,  // it answered a round trip in time
  kAbsent,   // nobody took the connection, or it was refused or broken at once
  kSilent,   // it took the connection and said nothing in time
};
