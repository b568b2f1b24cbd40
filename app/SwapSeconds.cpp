#include "app/SwapSeconds.h"

#include <QSettings>
#include <charconv>
#include <cstdio>

#include "game/swap_period.h"

std::optional<int> ParseSwapSeconds(const std::string& text) {
  int seconds = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, seconds);
  if (text.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
  if (seconds < kMinSwapSeconds || seconds > kMaxSwapSeconds) return std::nullopt;
  return seconds;
}

std::optional<int> ReadSwapSecondsSetting() {
  const QSettings settings;
  const QVariant value = settings.value(QStringLiteral("Settings/SwapSeconds"));
  if (!value.isValid()) return std::nullopt;
  const std::string text = value.toString().trimmed().toStdString();
  std::optional<int> seconds = ParseSwapSeconds(text);
  if (!seconds)
    std::fprintf(stderr,
                 "kelvo: ignoring SwapSeconds=%s in the settings: expected a whole number of "
                 "seconds from %d to %d\n",
                 text.c_str(), kMinSwapSeconds, kMaxSwapSeconds);
  return seconds;
}
