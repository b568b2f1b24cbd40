#include "app/SwapSeconds.h"

#include <charconv>
#include <cstdio>

#include "app/SettingsFile.h"
#include "game/swap_period.h"

namespace {
std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
}  // namespace

std::optional<int> ParseSwapSeconds(const std::string& text) {
  int seconds = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, seconds);
  if (text.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
  if (seconds < kMinSwapSeconds || seconds > kMaxSwapSeconds) return std::nullopt;
  return seconds;
}

std::optional<int> ReadSwapSecondsSetting(const SettingsFile& settings) {
  const std::optional<std::string> value = settings.String("Settings", "SwapSeconds");
  if (!value) return std::nullopt;
  const std::string text = Trimmed(*value);
  std::optional<int> seconds = ParseSwapSeconds(text);
  if (!seconds)
    std::fprintf(stderr,
                 "kelvo: ignoring SwapSeconds=%s in the settings: expected a whole number of "
                 "seconds from %d to %d\n",
                 text.c_str(), kMinSwapSeconds, kMaxSwapSeconds);
  return seconds;
}
