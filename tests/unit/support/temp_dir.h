#pragma once

#include <filesystem>
#include <string>

namespace stp::test {

// A fresh directory for one test, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory as the core names paths (Windows form, "\" separators),
  // ending in "\".
  const std::string& Path() const { return path_; }
  const std::filesystem::path& Native() const { return native_; }

  // Writes a file below the directory; name uses "/" separators.
  void Write(const std::string& name, const std::string& content) const;
  std::string Read(const std::string& name) const;
  // Takes the write permission away (the read-only attribute on Windows).
  void SetReadOnly(const std::string& name) const;

 private:
  std::filesystem::path native_;
  std::string path_;
};

}  // namespace stp::test
