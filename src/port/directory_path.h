#pragma once

#include <string>
#include <vector>

namespace stp {

// Creates every missing level of a Windows path, from the outermost missing
// one inwards. A trailing "\" is ignored; paths shorter than three characters
// (a drive) are never created. Failures are not reported: the directory is
// then simply missing, and whoever writes into it meets the problem.
void MakeDirectoryPath(const std::string& path);

// Appends "\" unless the path ends in one already.
std::string WithTrailingBackslash(std::string path);
// Removes one trailing "\", when there is one.
std::string WithoutTrailingBackslash(std::string path);

// Whether a path names the same place whatever the current drive and
// directory are: "X:\..." or "\\server\share...". The destination is kept in
// the installation record and the product key, so it must not depend on
// where Setup was started.
bool IsFullPath(const std::string& path);

// The directories from the root down to the given one, each as a full path:
// "C:\A\B" gives "C:\", "C:\A" and "C:\A\B"; "\\server\share\A" gives
// "\\server\share\" and "\\server\share\A". A trailing "\" is ignored.
std::vector<std::string> DirectoryLevels(const std::string& directory);

// The directory name below parent, with one "\" between them.
std::string SubdirectoryPath(const std::string& parent, const std::string& name);

}  // namespace stp
