// The recent-file list of the per-user settings ("Recent File List", File1
// to File4, newest first) and the "Settings"/"PreviewPages" value beside
// it: read at start-up, written back at exit when changed.  No menu shows
// the list; nothing of the game is stored.  File names are kept as the
// bytes they are.
#pragma once

#include <string>
#include <vector>

class RecentFileList {
 public:
  static constexpr int kSize = 4;
  static RecentFileList& Instance();

  // Reads the settings file and the list in it.
  void Load();
  // Puts the list into the settings and writes them, if anything changed.
  void Save() const;
  // Puts `path` first, without duplicates, keeping at most four.
  void Add(const std::string& path);
  const std::vector<std::string>& Files() const { return m_files; }
  void Clear() { m_files.clear(); }

 private:
  std::vector<std::string> m_files;
  int m_nPreviewPages = 0;
};
