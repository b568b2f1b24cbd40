#include "app/RecentFileList.h"

#include <algorithm>
#include <charconv>

#include "app/AppSettings.h"

RecentFileList& RecentFileList::Instance() {
  static RecentFileList list;
  return list;
}

void RecentFileList::Load() {
  LoadAppSettings();
  const SettingsStore& settings = AppSettings();
  m_files.clear();
  for (int i = 0; i < kSize; ++i) {
    const std::optional<std::string> file = settings.Value(RecentFileKey(i));
    if (file && !file->empty()) m_files.push_back(*file);
  }
  const std::string pages = settings.Value(kPreviewPagesKey).value_or("0");
  m_nPreviewPages = 0;
  std::from_chars(pages.data(), pages.data() + pages.size(), m_nPreviewPages);
}

void RecentFileList::Save() const {
  SettingsStore& settings = AppSettings();
  for (int i = 0; i < kSize; ++i) {
    if (i < static_cast<int>(m_files.size()))
      settings.Set(RecentFileKey(i), m_files[static_cast<std::size_t>(i)]);
    else
      settings.Remove(RecentFileKey(i));
  }
  // A file that is written at all has the framework's standard layout.
  if (settings.HasChanges()) settings.Set(kPreviewPagesKey, std::to_string(m_nPreviewPages));
  SaveAppSettings();
}

void RecentFileList::Add(const std::string& path) {
  m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
  m_files.insert(m_files.begin(), path);
  if (m_files.size() > kSize) m_files.resize(kSize);
}
