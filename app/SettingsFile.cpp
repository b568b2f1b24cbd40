#include "app/SettingsFile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/files/bounded_call.h"
#include "platform/files/safe_file.h"
#include "platform/interface/translation.h"

const char* const kSettingsKey = "Local AppWizard-Generated Applications";

namespace {
// Far more than the game ever writes; a larger file is someone else's.
constexpr std::size_t kMaxSettingsBytes = 1 << 20;

bool IsHome(const char* folder) {
  return folder && folder[0] == '/' && std::string_view(folder) != "/";
}

std::optional<std::string> PasswordHome() {
  struct passwd entry {};
  struct passwd* found = nullptr;
  std::vector<char> buffer(16384);
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
      !found->pw_dir)
    return std::nullopt;
  return std::string(found->pw_dir);
}
}  // namespace

std::optional<std::string> SettingsFilePathFor(const char* xdgConfigHome, const char* home,
                                               const char* passwordHome) {
  std::string config;
  if (xdgConfigHome && xdgConfigHome[0] == '/')
    config = xdgConfigHome;
  else if (IsHome(home))
    config = std::string(home) + "/.config";
  else if (IsHome(passwordHome))
    config = std::string(passwordHome) + "/.config";
  else
    return std::nullopt;
  return config + "/" + kSettingsKey + "/Kelvo.conf";
}

std::optional<std::string> SettingsFilePath() {
  const std::optional<std::string> passwordHome = PasswordHome();
  return SettingsFilePathFor(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"),
                             passwordHome ? passwordHome->c_str() : nullptr);
}

bool SettingsFile::Load(std::optional<std::string> path, std::string* why) {
  m_path = std::move(path);
  m_usable = false;
  m_values = {};
  m_changes.clear();
  if (!m_path) return true;
  struct Loaded {
    ReadResult result = ReadResult::kRefused;
    std::string bytes;
    std::string why;
  };
  const std::optional<Loaded> loaded = CallBounded<Loaded>([path = *m_path](CommitGate&) {
    Loaded l;
    l.result = ReadRegularFile(path, kMaxSettingsBytes, &l.bytes, &l.why);
    return l;
  });
  if (!loaded) {
    *why = NoAnswerReason();
    return false;
  }
  if (loaded->result == ReadResult::kRefused) {
    *why = loaded->why;
    return false;
  }
  m_values = SettingsIni::Parse(loaded->bytes);
  m_usable = true;
  return true;
}

std::optional<std::string> SettingsFile::String(std::string_view section,
                                                std::string_view key) const {
  return m_values.String(section, key);
}

std::optional<int> SettingsFile::Int(std::string_view section, std::string_view key) const {
  return m_values.Int(section, key);
}

void SettingsFile::SetString(std::string_view section, std::string_view key,
                             std::string_view bytes) {
  if (String(section, key) == bytes) return;
  Record({std::string(section), std::string(key), std::string(bytes), std::nullopt});
}

void SettingsFile::SetInt(std::string_view section, std::string_view key, int value) {
  if (Int(section, key) == value) return;
  Record({std::string(section), std::string(key), std::nullopt, value});
}

void SettingsFile::Remove(std::string_view section, std::string_view key) {
  if (!m_values.Has(section, key)) return;
  Record({std::string(section), std::string(key), std::nullopt, std::nullopt});
}

void SettingsFile::Record(Change change) {
  std::erase_if(m_changes, [&](const Change& c) {
    return c.section == change.section && c.key == change.key;
  });
  m_changes.push_back(change);
  Apply(m_values, {change});
}

void SettingsFile::Apply(SettingsIni& ini, const std::vector<Change>& changes) {
  for (const Change& c : changes) {
    if (c.text)
      ini.SetString(c.section, c.key, *c.text);
    else if (c.number)
      ini.SetInt(c.section, c.key, *c.number);
    else
      ini.Remove(c.section, c.key);
  }
}

bool SettingsFile::Save(std::string* why) {
  if (!m_path || !m_usable || m_changes.empty()) return true;
  // What the file holds now (another instance may have written it since),
  // with this game's changes on top.
  const bool saved = CallFileOperation(
      [path = *m_path, changes = m_changes](std::string* reason, CommitGate& gate) {
        std::string bytes;
        if (ReadRegularFile(path, kMaxSettingsBytes, &bytes, reason) == ReadResult::kRefused)
          return false;
        SettingsIni ini = SettingsIni::Parse(bytes);
        const std::string before = ini.Text();
        Apply(ini, changes);
        const std::string after = ini.Text();
        if (after == before) return true;
        return MakeFolders(FolderOf(path), reason) &&
               ReplaceFileContents(path, after, reason, [&gate] { return gate.Enter(); });
      },
      why);
  if (saved) m_changes.clear();
  return saved;
}

SettingsFile& AppSettings() {
  static SettingsFile settings;
  return settings;
}

void LoadAppSettings() {
  const std::optional<std::string> path = SettingsFilePath();
  if (!path) std::fputs(_("kelvo: no home folder to keep settings in; none are kept\n"), stderr);
  std::string why;
  if (!AppSettings().Load(path, &why))
    std::fprintf(stderr, _("kelvo: settings file \"%s\" left alone (not read, not saved): %s\n"),
                 path->c_str(), why.c_str());
}

void SaveAppSettings() {
  std::string why;
  if (!AppSettings().Save(&why))
    std::fprintf(stderr, _("kelvo: cannot save the settings in \"%s\": %s\n"),
                 AppSettings().Path()->c_str(), why.c_str());
}
