// The program's resources read from res/ for programs without Qt's resource
// system (the game's tests): the same table of types, ids and files.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/interface/resources.h"

class FileResourceFinder : public IResourceFinder {
 public:
  // Installs itself for the length of its life.
  FileResourceFinder();
  ~FileResourceFinder() override;
  std::span<const unsigned char> Find(UINT id, const char* type) override;

 private:
  std::map<std::pair<std::string, UINT>, std::string> m_loaded;
  IResourceFinder* m_previous;
};
