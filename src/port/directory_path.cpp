#include "port/directory_path.h"

#include "port/file_system.h"

namespace stp {
namespace {

// The path up to and including its last "\" or ":".
std::string ParentOf(const std::string& path) {
  const auto cut = path.find_last_of("\\:");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool HasDrivePrefix(const std::string& path) {
  return path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

// The length of "\\server\share\" at the start of a path (0 when it has none),
// the trailing "\" counted even when the path stops before it.
std::size_t UncRootLength(const std::string& path) {
  if (path.size() < 3 || path[0] != '\\' || path[1] != '\\' || path[2] == '\\') return 0;
  const auto server_end = path.find('\\', 2);
  if (server_end == std::string::npos || server_end + 1 >= path.size() || path[server_end + 1] == '\\') {
    return 0;
  }
  const auto share_end = path.find('\\', server_end + 1);
  return share_end == std::string::npos ? path.size() + 1 : share_end + 1;
}

}  // namespace

std::string WithTrailingBackslash(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

std::string WithoutTrailingBackslash(std::string path) {
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

void MakeDirectoryPath(const std::string& path) {
  std::vector<std::string> missing;
  for (std::string level = WithoutTrailingBackslash(path); level.size() >= 3 && !port::DirectoryExists(level);
       level = WithoutTrailingBackslash(ParentOf(level))) {
    missing.push_back(level);
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) port::MakeDirectory(*it);
}

bool IsFullPath(const std::string& path) { return HasDrivePrefix(path) || UncRootLength(path) > 0; }

std::vector<std::string> DirectoryLevels(const std::string& directory) {
  std::size_t root_length = UncRootLength(directory);
  if (root_length == 0) root_length = HasDrivePrefix(directory) ? 3 : 0;
  if (root_length == 0) return {};
  const std::string path = WithoutTrailingBackslash(directory);
  std::vector<std::string> levels{WithTrailingBackslash(path.substr(0, root_length - 1))};
  for (std::size_t start = root_length; start < path.size();) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    // Doubled separators name no level of their own.
    if (end > start) levels.push_back(path.substr(0, end));
    start = end + 1;
  }
  return levels;
}

std::string SubdirectoryPath(const std::string& parent, const std::string& name) {
  return WithTrailingBackslash(parent) + name;
}

}  // namespace stp
