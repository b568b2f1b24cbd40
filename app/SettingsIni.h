// The text of the settings file, in the layout Qt's settings class gives
// it, so that a file it wrote reads as it was and it can read what we
// write: "[Section]" lines, then "key=value" lines; section and key names
// %-escaped; values escaped with backslashes and quoted where needed; a
// value that is no plain text marked "@Type(...)" ("@ByteArray(...)" for
// bytes that are not UTF-8).  Entries the game does not know are kept.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class SettingsIni {
 public:
  // Never fails: lines that make no sense are dropped, as Qt drops them.
  static SettingsIni Parse(std::string_view text);
  std::string Text() const;

  bool Has(std::string_view section, std::string_view key) const {
    return Find(section, key) != nullptr;
  }
  // The value as bytes when it is text or bytes; nothing when absent or of
  // another kind (a list, a number stored as a variant...).
  std::optional<std::string> String(std::string_view section, std::string_view key) const;
  // Stored as text when `bytes` are UTF-8, otherwise as a byte array.
  void SetString(std::string_view section, std::string_view key, std::string_view bytes);
  std::optional<int> Int(std::string_view section, std::string_view key) const;
  void SetInt(std::string_view section, std::string_view key, int value);
  void Remove(std::string_view section, std::string_view key);

 private:
  // Names are compared unescaped; what came from the file is written back
  // as it was.
  struct Entry {
    std::string key;
    std::string rawKey;
    std::string rawValue;
  };
  struct Section {
    std::string name;
    std::string rawName;
    std::vector<Entry> entries;
  };
  const Entry* Find(std::string_view section, std::string_view key) const;
  void SetRaw(std::string_view section, std::string_view key, std::string rawValue);

  std::vector<Section> m_sections;
};
