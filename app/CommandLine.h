// The program's command line, GNU style:
//   kelvo [--swap-seconds N] [FILE]   start the game (FILE names the document)
//   kelvo --screenshot FILE [--size WxH]
//                                     draw the opening screen into a PNG
//   kelvo --help | --version
// Options of Qt's own (single dash, such as -platform NAME) are left to Qt.
#pragma once

#include <string>
#include <vector>

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kScreenshot, kError };
  Action action = Action::kRun;
  std::string documentPath;    // kRun: the file to open, or empty
  std::string screenshotPath;  // kScreenshot
  int width = 1024;            // kScreenshot
  int height = 700;
  std::string error;           // kError: one line
  bool platformGiven = false;  // a Qt -platform option was passed
  std::string qtPlatform;      // its value
  std::string qtDisplay;       // the value of Qt's -display option
  int swapSeconds = 0;         // kRun: a longer swap period asked for, or 0
};

// `args` without the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText();
std::string VersionText();
