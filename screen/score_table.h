// The headings of the score table's columns.
#pragma once

#include <string>

// Slots 1..10 "Round 1".."Round 10", slot 11 "Total"; slot 0 is empty: the
// English, which the catalogue translates.
extern const std::string g_strColumnLabel[12];
// Column 1..11's heading in the player's language; empty for any other.
std::string ColumnLabel(int column);
