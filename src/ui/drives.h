#pragma once

#include <string>
#include <vector>

#include "ui/drive_caption.h"

namespace ui {

struct DriveEntry {
  char letter;
  DriveKind kind;
  std::string caption;
};

// The drives present, A to Z, with their kind and caption. No drive is asked
// for its volume name when it has a removable medium, and one without medium
// answers at once instead of with a system prompt.
std::vector<DriveEntry> PresentDrives();

// The names of a directory's subdirectories, hidden ones left out, in the
// order the system sorts names. Empty when the directory cannot be read (a
// drive without medium, for one).
std::vector<std::string> Subdirectories(const std::string& directory);

// The full path of a directory, "." and ".." resolved: a root ends in "\",
// other directories do not. "X:" alone gives the directory the system keeps
// as current for that drive.
std::string FullDirectoryPath(const std::string& path);

}  // namespace ui
