// The --screenshot option: the opening screen drawn without any display.
#pragma once

#include "app/CommandLine.h"

// Draws the screen a player sees before the first game at the command
// line's size into its PNG file.  Returns the process exit status.
int SaveOpeningScreenshot(int argc, char** argv, const CommandLine& commandLine);
