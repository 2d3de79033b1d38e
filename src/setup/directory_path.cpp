#include "setup/directory_path.h"

#include <vector>

#include "port/file_system.h"

namespace stp {
namespace {

std::string WithoutOneTrailingBackslash(std::string path) {
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

// The path up to and including its last "\" or ":".
std::string ParentOf(const std::string& path) {
  const auto cut = path.find_last_of("\\:");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

}  // namespace

void MakeDirectoryPath(const std::string& path) {
  std::vector<std::string> missing;
  for (std::string level = WithoutOneTrailingBackslash(path);
       level.size() >= 3 && !port::DirectoryExists(level);
       level = WithoutOneTrailingBackslash(ParentOf(level))) {
    missing.push_back(level);
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) port::MakeDirectory(*it);
}

}  // namespace stp
