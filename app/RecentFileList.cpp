#include "app/RecentFileList.h"

#include <QSettings>
#include <algorithm>

RecentFileList& RecentFileList::Instance() {
  static RecentFileList list;
  return list;
}

void RecentFileList::Load() {
  QSettings settings;
  m_files.clear();
  if (settings.status() != QSettings::NoError) return;
  for (int i = 1; i <= kSize; ++i) {
    const QString value =
        settings.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
    if (!value.isEmpty()) m_files.push_back(value.toStdString());
  }
  m_nPreviewPages = settings.value(QStringLiteral("Settings/PreviewPages"), 0).toInt();
}

void RecentFileList::Save() const {
  QSettings settings;
  if (!settings.isWritable()) return;
  settings.remove(QStringLiteral("Recent File List"));
  for (int i = 0; i < static_cast<int>(m_files.size()); ++i)
    settings.setValue(QStringLiteral("Recent File List/File%1").arg(i + 1),
                      QString::fromStdString(m_files[static_cast<std::size_t>(i)]));
  settings.setValue(QStringLiteral("Settings/PreviewPages"), m_nPreviewPages);
  settings.sync();
}

void RecentFileList::Add(const std::string& path) {
  m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
  m_files.insert(m_files.begin(), path);
  if (m_files.size() > kSize) m_files.resize(kSize);
}
