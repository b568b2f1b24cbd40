// The longer swap period a player can ask for, in whole seconds: on the
// command line (--swap-seconds N) or in the settings (SwapSeconds under
// [Settings] in Kelvo.conf).  The command line wins; without either the
// period is the usual ten seconds.  A period chosen in the game (its plus
// and minus keys) is kept in the settings.
#pragma once

#include <optional>
#include <string>

class SettingsStore;

// `text` as a number of seconds kMinSwapSeconds..kMaxSwapSeconds, or
// nothing when it is not one.
std::optional<int> ParseSwapSeconds(const std::string& text);

// The value in `settings`; nothing when it is not set.  A value that is not
// a number of seconds in range is reported on standard error and ignored.
std::optional<int> ReadSwapSecondsSetting(const SettingsStore& settings);

// Puts `seconds` into `settings`, to be written with them.
void KeepSwapSecondsSetting(SettingsStore& settings, int seconds);
