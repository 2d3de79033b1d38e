#pragma once

#include <string>
#include <vector>

#include "port/file_system.h"

namespace stptool {

// The files and folders one run of the tool creates. Unless the run keeps
// them, they are removed again, newest first, so that a failed run leaves
// no half-made medium behind.
class NewFiles {
 public:
  NewFiles() = default;
  ~NewFiles();
  NewFiles(const NewFiles&) = delete;
  NewFiles& operator=(const NewFiles&) = delete;

  // Both throw ToolError, a user error that says why, when the file or
  // folder cannot be created.
  stp::port::File Create(const std::string& path);
  // Creates the folder when it is missing (its parent must exist).
  void MakeFolder(const std::string& folder);
  void Keep() { kept_ = true; }

 private:
  struct Made {
    std::string path;
    bool folder;
  };
  std::vector<Made> made_;
  bool kept_ = false;
};

}  // namespace stptool
