// The --screenshot option: the opening screen drawn without any display.
#pragma once

#include <string>

#include "app/CommandLine.h"

// Draws the screen a player sees before the first game at `width` x
// `height` into the PNG file `path`, written as the game writes any file:
// only a regular file (or a new one), under the file-call limit.  False,
// with the reason in `why`, when it cannot.
bool WriteOpeningScreenshot(const std::string& path, int width, int height, std::string* why);

// The option on its own, without a display.  Returns the process exit status.
int SaveOpeningScreenshot(int argc, char** argv, const CommandLine& commandLine);
