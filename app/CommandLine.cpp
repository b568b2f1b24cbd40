#include "app/CommandLine.h"

#include <charconv>
#include <set>

#include "app/SwapSeconds.h"
#include "game/swap_period.h"
#include "platform/language/translation.h"
#include "res/main_menu.h"

namespace {

// Qt's own options that take a value.
const std::set<std::string> kQtOptionsWithValue = {
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin",      "-display",
    "-style",    "-stylesheet",         "-session",       "-geometry",    "-title",
    "-name",     "-qwindowgeometry",    "-qwindowtitle",  "-qwindowicon",
};

bool ParseSize(const std::string& text, int* width, int* height) {
  const auto x = text.find('x');
  if (x == std::string::npos) return false;
  const char* begin = text.data();
  const char* mid = begin + x;
  const char* end = begin + text.size();
  int w = 0;
  int h = 0;
  auto r1 = std::from_chars(begin, mid, w);
  auto r2 = std::from_chars(mid + 1, end, h);
  if (r1.ec != std::errc() || r1.ptr != mid || r2.ec != std::errc() || r2.ptr != end) return false;
  // Large enough for any screen there is, small enough for a picture in
  // memory.
  if (w < 1 || h < 1 || w > 16384 || h > 16384) return false;
  *width = w;
  *height = h;
  return true;
}

CommandLine Error(const std::string& message) {
  CommandLine cl;
  cl.action = CommandLine::Action::kError;
  cl.error = message;
  return cl;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine cl;
  bool sizeGiven = false;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](const std::string& name, std::string* out) {
      const std::string prefix = name + "=";
      if (arg.rfind(prefix, 0) == 0) {
        *out = arg.substr(prefix.size());
        return true;
      }
      if (i + 1 >= args.size()) return false;
      *out = args[++i];
      return true;
    };
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      cl.action = CommandLine::Action::kHelp;
      return cl;
    } else if (!optionsEnded && arg == "--version") {
      cl.action = CommandLine::Action::kVersion;
      return cl;
    } else if (!optionsEnded && (arg == "--screenshot" || arg.rfind("--screenshot=", 0) == 0)) {
      // TRANSLATORS: the command line's errors; the options' names stay as
      // they are.
      if (!value("--screenshot", &cl.screenshotPath) || cl.screenshotPath.empty())
        return Error(_("option '--screenshot' needs a file name"));
      cl.action = CommandLine::Action::kScreenshot;
    } else if (!optionsEnded && (arg == "--size" || arg.rfind("--size=", 0) == 0)) {
      std::string size;
      if (!value("--size", &size)) return Error(_("option '--size' needs a size such as 1024x700"));
      if (!ParseSize(size, &cl.width, &cl.height))
        return Error(FormattedText(_("invalid size '%s': expected WIDTHxHEIGHT, each 1 to 16384"),
                                   size.c_str()));
      sizeGiven = true;
    } else if (!optionsEnded && (arg == "--swap-seconds" || arg.rfind("--swap-seconds=", 0) == 0)) {
      std::string seconds;
      if (!value("--swap-seconds", &seconds))
        return Error(FormattedText(_("option '--swap-seconds' needs a number of seconds, %d to %d"),
                                   kMinSwapSeconds, kMaxSwapSeconds));
      const std::optional<int> parsed = ParseSwapSeconds(seconds);
      if (!parsed)
        return Error(FormattedText(_("invalid swap period '%s': expected whole seconds, %d to %d"),
                                   seconds.c_str(), kMinSwapSeconds, kMaxSwapSeconds));
      cl.swapSeconds = *parsed;
    } else if (!optionsEnded && arg.rfind("--", 0) == 0) {
      return Error(FormattedText(_("unrecognized option '%s'"), arg.c_str()));
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      // One of Qt's own options: Qt reads it when the application starts.
      if (arg == "-platform") cl.platformGiven = true;
      if (kQtOptionsWithValue.count(arg) && i + 1 < args.size()) {
        ++i;
        if (arg == "-platform") cl.qtPlatform = args[i];
        if (arg == "-display") cl.qtDisplay = args[i];
      }
    } else {
      if (!cl.documentPath.empty()) return Error(_("only one file can be opened"));
      cl.documentPath = arg;
    }
  }
  if (sizeGiven && cl.action != CommandLine::Action::kScreenshot)
    return Error(_("option '--size' goes with '--screenshot'"));
  if (cl.action == CommandLine::Action::kScreenshot && !cl.documentPath.empty())
    return Error(_("'--screenshot' takes no document file"));
  return cl;
}

std::string UsageText() {
  // TRANSLATORS: kelvo --help.  Keep the command's and the options' names,
  // and the descriptions lined up in one column, each line within 80
  // characters.
  return _(
      "Usage: kelvo [OPTION]... [FILE]\n"
      "A magic-square puzzle: swap two numbers so that every row, column and\n"
      "diagonal adds up to 15.\n"
      "\n"
      "  --screenshot FILE   draw the opening screen into the PNG file FILE and exit\n"
      "  --size WxH          size of the screenshot in pixels (default 1024x700)\n"
      "  --swap-seconds N    give N seconds (10 to 600) to swap instead of 10\n"
      "  -h, --help          show this help and exit\n"
      "      --version       show the version and exit\n"
      "\n"
      "FILE, if given, becomes the document's name; the game reads nothing from it.\n");
}

std::string VersionText() {
  return std::string(kAppTitle) + " " + kFileVersion + " (" KELVO_BUILD_LABEL ")\n";
}
