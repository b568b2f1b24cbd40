// The player's settings file, in the place and the layout Qt's settings
// class gave it (~/.config/Local AppWizard-Generated Applications/Kelvo.conf),
// so settings written by earlier versions are read as they were.  Only a
// regular file (or a link to one) is read or written: anything else in its
// place, or a file that cannot be read, is left alone and the game goes on
// with its defaults.  The file is written only when a value in it changed,
// and then only those values are written over what the file holds by then.
// No lock file is used: the file is replaced whole, so a reader never sees
// half of it.
#pragma once

#include <optional>
#include <string>

#include "platform/files/settings_store.h"

// The per-user settings key: the folder the settings file lies in.
extern const char* const kSettingsKey;

// The game's keys in it.
std::string RecentFileKey(int index);  // from 0, newest first
inline const std::string kPreviewPagesKey = "Settings/PreviewPages";
inline const std::string kSwapSecondsKey = "Settings/SwapSeconds";

// Where the settings file lies: under $XDG_CONFIG_HOME when that is an
// absolute path, else under the home folder's ".config" -- $HOME, or the
// home the password database gives when HOME is unset; nothing when there
// is no home to keep it in (a home of "/" is none).
std::optional<std::string> SettingsFilePath();
std::optional<std::string> SettingsFilePathFor(const char* xdgConfigHome, const char* home,
                                               const char* passwordHome);

// The game's one settings file.
SettingsStore& AppSettings();
// Loads and saves it at its usual place; a file left alone or a failed save
// is reported on standard error (no window shows the settings).
void LoadAppSettings();
void SaveAppSettings();
