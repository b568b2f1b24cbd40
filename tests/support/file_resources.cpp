#include "support/file_resources.h"

#include <cctype>
#include <fstream>
#include <iterator>

namespace {
struct Entry {
  const char* type;
  UINT id;
  const char* file;
};
constexpr Entry kResources[] = {
#include "res/resource_files.inc"
};

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}
}  // namespace

FileResourceFinder::FileResourceFinder() : m_previous(SetResourceFinder(this)) {}
FileResourceFinder::~FileResourceFinder() { SetResourceFinder(m_previous); }

std::span<const unsigned char> FileResourceFinder::Find(UINT id, const char* type) {
  const std::string wanted = Upper(type);
  for (const Entry& e : kResources) {
    if (e.id != id || Upper(e.type) != wanted) continue;
    auto [it, added] = m_loaded.try_emplace({wanted, id});
    if (added) {
      std::ifstream in(e.file, std::ios::binary);
      it->second.assign(std::istreambuf_iterator<char>(in), {});
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(it->second.data());
    return {bytes, it->second.size()};
  }
  return {};
}
