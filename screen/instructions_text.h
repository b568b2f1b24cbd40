// The two fixed texts of the game: the rules always on screen and the longer
// hints that F1 shows; and both as a screen reader reads them.
#pragma once

#include <string>

std::string BuildInstructionsText();
std::string BuildHintsText();

// The rules with the keyboard's way of playing told beside the mouse's, and
// the hints, in the same words but one sentence (or heading, or hint) a
// line, so that a screen reader moving by line moves by sentence; and with
// the marks a screen reader would say aloud ("dash dash", "colon") left
// out.
std::string BuildRulesForReader();
std::string BuildHintsForReader();
