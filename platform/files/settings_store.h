// A settings file in INI layout.  Qt's settings class (QSettings) does the
// INI work -- parsing, escaping, the layout, "@ByteArray(...)" for bytes --
// and ours is only how the file is reached: read and replaced through
// safe_file.h under the file-call limit, and handed to Qt as a private
// scratch copy, so that Qt never opens, locks or replaces the player's file.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

class SettingsStore {
 public:
  // Far more than settings take; a larger file is refused, and never written.
  static constexpr std::size_t kMaxBytes = 1 << 20;

  // Reads the values of `keys` ("Section/Name") from `path`; a missing file
  // holds none.  False, with the reason in `why`, when the file is left
  // alone -- no regular file, unreadable, too large, not in INI layout, or
  // no answer in time: it is then never written.
  bool Load(const std::string& path, const std::vector<std::string>& keys, std::string* why);

  bool Has(const std::string& key) const { return m_values.count(key) != 0; }
  // The bytes of text or of a byte array; nothing when the key is absent or
  // holds something else (a list, a typed variant).
  std::optional<std::string> Value(const std::string& key) const;
  // Stored as text when `bytes` are UTF-8, otherwise as a byte array.
  void Set(const std::string& key, const std::string& bytes);
  void Remove(const std::string& key);
  bool HasChanges() const { return !m_changes.empty(); }

  // Writes the values that changed over what the file holds by then, if any
  // of them differ from it; false, with the reason in `why`, when they
  // cannot be written (then nothing is).
  bool Save(std::string* why);
  const std::optional<std::string>& Path() const { return m_path; }

 private:
  std::optional<std::string> m_path;  // nothing: no file to write
  std::map<std::string, std::optional<std::string>> m_values;
  std::map<std::string, std::optional<std::string>> m_changes;  // nothing: removed
};
