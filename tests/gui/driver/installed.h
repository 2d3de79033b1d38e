#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What an installation leaves, read back through the system's own calls, as
// any other program would read it.
namespace driver {

// A file's content; nothing when it cannot be read.
std::optional<std::string> FileContent(const std::string& path);

struct FileTimes {
  std::uint64_t creation = 0;
  std::uint64_t access = 0;
  std::uint64_t write = 0;
  bool operator==(const FileTimes&) const = default;
};
// Read before the content, which would move the access time on.
std::optional<FileTimes> TimesOf(const std::string& path);

// A value of a profile file, as GetPrivateProfileStringA gives it; fallback
// when it is missing.
std::string ProfileString(const std::string& path, const std::string& section, const std::string& key,
                          const std::string& fallback = "<none>");
// The keys of a profile section, in the file's order.
std::vector<std::string> ProfileKeys(const std::string& path, const std::string& section);

// A string value (RegQueryValueExA); nothing when the key or the value is missing.
std::optional<std::string> RegistryString(HKEY root, const std::string& key_path, const std::string& name);

// What the system's list of installed software shows: the lines of
// "uninstaller --list", each "entry|||display name".
std::vector<std::string> InstalledSoftware();

// A shortcut as the shell link object loads it.
struct Shortcut {
  std::string target;
  std::string working_directory;
  bool operator==(const Shortcut&) const = default;
};
std::optional<Shortcut> ReadShortcut(const std::string& path);

}  // namespace driver
