#include "app/SwapSeconds.h"

#include <charconv>
#include <cstdio>

#include "app/AppSettings.h"
#include "game/swap_period.h"
#include "platform/language/translation.h"

std::optional<int> ParseSwapSeconds(const std::string& text) {
  int seconds = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, seconds);
  if (text.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
  if (seconds < kMinSwapSeconds || seconds > kMaxSwapSeconds) return std::nullopt;
  return seconds;
}

std::optional<int> ReadSwapSecondsSetting(const SettingsStore& settings) {
  const std::optional<std::string> value = settings.Value(kSwapSecondsKey);
  if (!value) return std::nullopt;
  // The same rule as the command line's: whole seconds written plainly.
  if (const std::optional<int> seconds = ParseSwapSeconds(*value)) return seconds;
  std::fprintf(stderr,
               _("kelvo: ignoring SwapSeconds=%s in the settings: expected a whole number of "
                 "seconds from %d to %d\n"),
               value->c_str(), kMinSwapSeconds, kMaxSwapSeconds);
  return std::nullopt;
}

void KeepSwapSecondsSetting(SettingsStore& settings, int seconds) {
  settings.Set(kSwapSecondsKey, std::to_string(seconds));
}
