#include "app/AppSettings.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/RecentFileList.h"
#include "platform/language/translation.h"

const char* const kSettingsKey = "Local AppWizard-Generated Applications";

namespace {
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

std::string RecentFileKey(int index) { return "Recent File List/File" + std::to_string(index + 1); }

SettingsStore& AppSettings() {
  static SettingsStore settings;
  return settings;
}

void LoadAppSettings() {
  const std::optional<std::string> path = SettingsFilePath();
  if (!path) {
    std::fputs(_("kelvo: no home folder to keep settings in; none are kept\n"), stderr);
    AppSettings() = {};
    return;
  }
  std::vector<std::string> keys = {kPreviewPagesKey, kSwapSecondsKey};
  for (int i = 0; i < RecentFileList::kSize; ++i) keys.push_back(RecentFileKey(i));
  std::string why;
  if (!AppSettings().Load(*path, keys, &why))
    std::fprintf(stderr, _("kelvo: settings file \"%s\" left alone (not read, not saved): %s\n"),
                 path->c_str(), why.c_str());
}

void SaveAppSettings() {
  std::string why;
  if (!AppSettings().Save(&why))
    std::fprintf(stderr, _("kelvo: cannot save the settings in \"%s\": %s\n"),
                 AppSettings().Path()->c_str(), why.c_str());
}
