#include "app/RecentFileList.h"

#include <algorithm>

#include "app/SettingsFile.h"

namespace {
constexpr std::string_view kListSection = "Recent File List";
constexpr std::string_view kSettingsSection = "Settings";

std::string EntryName(int index) { return "File" + std::to_string(index + 1); }
}  // namespace

RecentFileList& RecentFileList::Instance() {
  static RecentFileList list;
  return list;
}

void RecentFileList::Load() {
  LoadAppSettings();
  const SettingsFile& settings = AppSettings();
  m_files.clear();
  for (int i = 0; i < kSize; ++i) {
    const std::optional<std::string> file = settings.String(kListSection, EntryName(i));
    if (file && !file->empty()) m_files.push_back(*file);
  }
  m_nPreviewPages = settings.Int(kSettingsSection, "PreviewPages").value_or(0);
}

void RecentFileList::Save() const {
  SettingsFile& settings = AppSettings();
  for (int i = 0; i < kSize; ++i) {
    if (i < static_cast<int>(m_files.size()))
      settings.SetString(kListSection, EntryName(i), m_files[static_cast<std::size_t>(i)]);
    else
      settings.Remove(kListSection, EntryName(i));
  }
  // A file that is written at all has the framework's standard layout.
  if (settings.HasChanges()) settings.SetInt(kSettingsSection, "PreviewPages", m_nPreviewPages);
  SaveAppSettings();
}

void RecentFileList::Add(const std::string& path) {
  m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
  m_files.insert(m_files.begin(), path);
  if (m_files.size() > kSize) m_files.resize(kSize);
}
