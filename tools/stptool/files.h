#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "tool_error.h"

namespace stptool {

// A file named on the command line, read or written in its native name,
// whatever it is: a file, a pipe, a device.
class CliFile {
 public:
  static CliFile OpenForReading(const std::string& path);
  // Creates the file, or truncates it. Unless Close() succeeds, what was
  // created or truncated here as a regular file is removed again, so that a
  // failed or interrupted run leaves no partial output; a device, a pipe or
  // a symbolic link named as the output is left alone.
  static CliFile Create(const std::string& path);
  ~CliFile();
  CliFile(CliFile&& other) noexcept;
  CliFile(const CliFile&) = delete;
  CliFile& operator=(const CliFile&) = delete;
  CliFile& operator=(CliFile&&) = delete;

  // Up to count bytes; fewer only at the end of the file.
  std::size_t Read(void* buffer, std::size_t count);
  void Write(const void* data, std::size_t count);
  // Flushes and closes; reports a failure that only shows now.
  void Close();

 private:
  CliFile(std::FILE* file, std::string path, bool remove_unless_closed)
      : file_(file), path_(std::move(path)), remove_unless_closed_(remove_unless_closed) {}
  // Throws the failure of the last call on the file, or of the interruption
  // that made it fail.
  [[noreturn]] void Fail(const char* what) const;

  std::FILE* file_;
  std::string path_;
  bool remove_unless_closed_;
};

}  // namespace stptool
