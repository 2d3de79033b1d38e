#include "files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "signals.h"

namespace stptool {
namespace {

std::string Reason() { return std::strerror(errno); }

// Whether a failed run may remove the output at path: a file it is about to
// create or replace, never a device, a pipe or a link.
bool Removable(const std::string& path) {
  struct stat info {};
#ifdef _WIN32
  if (stat(path.c_str(), &info) != 0) return true;
#else
  if (lstat(path.c_str(), &info) != 0) return true;
#endif
  return S_ISREG(info.st_mode);
}

}  // namespace

CliFile CliFile::OpenForReading(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw ToolError("cannot open '" + path + "': " + Reason(), kUserError);
  return CliFile(file, path, false);
}

CliFile CliFile::Create(const std::string& path) {
  const bool removable = Removable(path);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) throw ToolError("cannot create '" + path + "': " + Reason(), kUserError);
  return CliFile(file, path, removable);
}

CliFile::CliFile(CliFile&& other) noexcept
    : file_(other.file_), path_(std::move(other.path_)), remove_unless_closed_(other.remove_unless_closed_) {
  other.file_ = nullptr;
  other.remove_unless_closed_ = false;
}

CliFile::~CliFile() {
  if (file_ != nullptr) std::fclose(file_);
  if (remove_unless_closed_) std::remove(path_.c_str());
}

void CliFile::Fail(const char* what) const {
  const std::string reason = Reason();
  StopIfInterrupted();
  throw ToolError(std::string("cannot ") + what + " '" + path_ + "': " + reason, kFailed);
}

std::size_t CliFile::Read(void* buffer, std::size_t count) {
  const std::size_t got = std::fread(buffer, 1, count, file_);
  if (got < count && std::ferror(file_)) Fail("read");
  return got;
}

void CliFile::Write(const void* data, std::size_t count) {
  if (std::fwrite(data, 1, count, file_) != count) Fail("write");
}

void CliFile::Close() {
  std::FILE* file = file_;
  file_ = nullptr;
  if (std::fclose(file) != 0) Fail("write");
  remove_unless_closed_ = false;
}

}  // namespace stptool
