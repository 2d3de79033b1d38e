#include <gtest/gtest.h>

#include <filesystem>

#include "port/file_system.h"
#include "setup/directory_path.h"
#include "support/temp_dir.h"

namespace stp {
namespace {

namespace fs = std::filesystem;

TEST(MakeDirectoryPath, CreatesEveryMissingLevel) {
  test::TempDir dir;
  MakeDirectoryPath(dir.Path() + "a\\b\\c\\");
  EXPECT_TRUE(fs::is_directory(dir.Native() / "a" / "b" / "c"));
  MakeDirectoryPath(dir.Path() + "a\\b\\d");
  EXPECT_TRUE(fs::is_directory(dir.Native() / "a" / "b" / "d"));
}

TEST(MakeDirectoryPath, LeavesExistingDirectoriesAndContentAlone) {
  test::TempDir dir;
  dir.Write("a/keep.txt", "x");
  MakeDirectoryPath(dir.Path() + "a");
  EXPECT_EQ(dir.Read("a/keep.txt"), "x");
}

TEST(MakeDirectoryPath, FailsQuietly) {
  test::TempDir dir;
  dir.Write("file", "x");
  MakeDirectoryPath(dir.Path() + "file\\sub\\deeper");  // a file stands in the way
  EXPECT_FALSE(fs::exists(dir.Native() / "file" / "sub"));
  MakeDirectoryPath("");
  MakeDirectoryPath("\\");
  MakeDirectoryPath("C:");
  MakeDirectoryPath("C:\\");
}

}  // namespace
}  // namespace stp
