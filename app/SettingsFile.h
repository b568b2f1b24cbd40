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
#include <string_view>
#include <vector>

#include "app/SettingsIni.h"

// The per-user settings key: the folder the settings file lies in.
extern const char* const kSettingsKey;

// Where the settings file lies: under $XDG_CONFIG_HOME when that is an
// absolute path, else under the home folder's ".config" -- $HOME, or the
// home the password database gives when HOME is unset; nothing when there
// is no home to keep it in (a home of "/" is none).
std::optional<std::string> SettingsFilePath();
std::optional<std::string> SettingsFilePathFor(const char* xdgConfigHome, const char* home,
                                               const char* passwordHome);

class SettingsFile {
 public:
  // Reads the file at `path` (nothing: no settings are kept).  False, with
  // the reason in `why`, when something there is left alone: the settings
  // then keep their defaults and are never written.
  bool Load(std::optional<std::string> path, std::string* why);

  std::optional<std::string> String(std::string_view section, std::string_view key) const;
  std::optional<int> Int(std::string_view section, std::string_view key) const;
  void SetString(std::string_view section, std::string_view key, std::string_view bytes);
  void SetInt(std::string_view section, std::string_view key, int value);
  void Remove(std::string_view section, std::string_view key);
  // A value was set to something it was not.
  bool HasChanges() const { return !m_changes.empty(); }

  // Writes the values that changed, if any; false, with the reason in
  // `why`, when they could not be written.
  bool Save(std::string* why);
  const std::optional<std::string>& Path() const { return m_path; }

 private:
  struct Change {
    std::string section;
    std::string key;
    std::optional<std::string> text;  // nothing: removed
    std::optional<int> number;
  };
  void Record(Change change);
  static void Apply(SettingsIni& ini, const std::vector<Change>& changes);

  std::optional<std::string> m_path;
  bool m_usable = false;
  SettingsIni m_values;
  std::vector<Change> m_changes;
};

// The game's one settings file.
SettingsFile& AppSettings();
// Loads and saves it at its usual place; a file left alone or a failed save
// is reported on standard error (no window shows the settings).
void LoadAppSettings();
void SaveAppSettings();
