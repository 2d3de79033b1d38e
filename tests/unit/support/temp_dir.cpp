#include "support/temp_dir.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <fstream>
#include <random>
#include <sstream>

namespace stp::test {
namespace {

namespace fs = std::filesystem;

// The read-only attribute on Windows, where the C runtime's permissions do
// not reach it; the write permission elsewhere.
void SetWritable(const fs::path& path, bool writable) {
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(path.c_str(),
                     writable ? attributes & ~FILE_ATTRIBUTE_READONLY : attributes | FILE_ATTRIBUTE_READONLY);
#else
  std::error_code ignored;
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  writable ? fs::perm_options::add : fs::perm_options::remove, ignored);
#endif
}

}  // namespace

TempDir::TempDir() {
  std::random_device random;
  native_ = fs::temp_directory_path() / ("stp-test-" + std::to_string(random()));
  fs::create_directories(native_);
  path_ = native_.string();
  for (char& c : path_) {
    if (c == '/') c = '\\';
  }
  path_ += '\\';
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::permissions(native_, fs::perms::owner_all, fs::perm_options::add, ignored);
  // Windows deletes no read-only file.
  for (const auto& entry : fs::recursive_directory_iterator(native_, ignored)) {
    SetWritable(entry.path(), true);
  }
  fs::remove_all(native_, ignored);
}

void TempDir::SetReadOnly(const std::string& name) const { SetWritable(native_ / name, false); }

void TempDir::Write(const std::string& name, const std::string& content) const {
  const auto file = native_ / name;
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << content;
}

std::string TempDir::Read(const std::string& name) const {
  std::ifstream in(native_ / name, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace stp::test
