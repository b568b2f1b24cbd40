// The two fixed texts of the game: the rules always on screen and the longer
// hints that F1 shows.
#pragma once

#include <string>

std::string BuildInstructionsText();
std::string BuildHintsText();
