#include "files.h"

#include <cerrno>
#include <cstring>

namespace stptool {
namespace {

std::string Reason() { return std::strerror(errno); }

}  // namespace

CliFile CliFile::OpenForReading(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw ToolError("cannot open '" + path + "': " + Reason(), kUserError);
  return CliFile(file, path);
}

CliFile CliFile::Create(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) throw ToolError("cannot create '" + path + "': " + Reason(), kUserError);
  return CliFile(file, path);
}

CliFile::CliFile(CliFile&& other) noexcept : file_(other.file_), path_(std::move(other.path_)) {
  other.file_ = nullptr;
}

CliFile::~CliFile() {
  if (file_ != nullptr) std::fclose(file_);
}

std::size_t CliFile::Read(void* buffer, std::size_t count) {
  const std::size_t got = std::fread(buffer, 1, count, file_);
  if (got < count && std::ferror(file_)) throw ToolError("cannot read '" + path_ + "': " + Reason(), kFailed);
  return got;
}

void CliFile::Write(const void* data, std::size_t count) {
  if (std::fwrite(data, 1, count, file_) != count) {
    throw ToolError("cannot write '" + path_ + "': " + Reason(), kFailed);
  }
}

void CliFile::Close() {
  std::FILE* file = file_;
  file_ = nullptr;
  if (std::fclose(file) != 0) throw ToolError("cannot write '" + path_ + "': " + Reason(), kFailed);
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  CliFile file = CliFile::OpenForReading(path);
  std::vector<std::uint8_t> bytes;
  std::uint8_t block[65536];
  for (std::size_t got; (got = file.Read(block, sizeof block)) > 0;)
    bytes.insert(bytes.end(), block, block + got);
  return bytes;
}

void WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  CliFile file = CliFile::Create(path);
  file.Write(bytes.data(), bytes.size());
  file.Close();
}

}  // namespace stptool
