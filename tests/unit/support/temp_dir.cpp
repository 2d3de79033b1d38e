#include "support/temp_dir.h"

#include <fstream>
#include <random>
#include <sstream>

namespace stp::test {

TempDir::TempDir() {
  std::random_device random;
  native_ = std::filesystem::temp_directory_path() / ("stp-test-" + std::to_string(random()));
  std::filesystem::create_directories(native_);
  path_ = native_.string();
  for (char& c : path_) {
    if (c == '/') c = '\\';
  }
  path_ += '\\';
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(native_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(native_, ignored);
}

void TempDir::Write(const std::string& name, const std::string& content) const {
  const auto file = native_ / name;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << content;
}

std::string TempDir::Read(const std::string& name) const {
  std::ifstream in(native_ / name, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace stp::test
