// The headings of the score table's columns.
#pragma once

#include <string>

// Slots 1..10 "Round 1".."Round 10", slot 11 "Total"; slot 0 is empty.
extern const std::string g_strColumnLabel[12];
