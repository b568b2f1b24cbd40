// Whether a D-Bus bus answers: a connection and its Hello, with a time
// limit.  Qt's own connection to the bus has none (a bus that takes the
// connection and never answers holds the menu bar and the accessibility
// bridge up for ever).  libdbus, which Qt uses underneath, bounds the wait.
#pragma once

#include <chrono>
#include <string>

#include "platform/window_system/server_answer.h"

// `address` as D-Bus writes it ("unix:path=/run/user/1000/bus").
ServerAnswer ProbeBus(const std::string& address, std::chrono::milliseconds limit);
