#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tool_error.h"

namespace stptool {

// A file named on the command line, read or written in its native name.
class CliFile {
 public:
  static CliFile OpenForReading(const std::string& path);
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
  CliFile(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}
  std::FILE* file_;
  std::string path_;
};

std::vector<std::uint8_t> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace stptool
