#include "port/directory_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "port/file_system.h"
#include "support/temp_dir.h"

namespace stp {
namespace {

namespace fs = std::filesystem;

// Every missing level is made; what exists stays, and failures are quiet.
TEST(MakeDirectoryPath, CreatesEveryMissingLevel) {
  test::TempDir dir;
  dir.Write("a/keep.txt", "x");
  dir.Write("file", "x");
  MakeDirectoryPath(dir.Path() + "a\\b\\c\\");
  MakeDirectoryPath(dir.Path() + "a\\b\\d");
  EXPECT_TRUE(fs::is_directory(dir.Native() / "a" / "b" / "c"));
  EXPECT_TRUE(fs::is_directory(dir.Native() / "a" / "b" / "d"));
  EXPECT_EQ(dir.Read("a/keep.txt"), "x");
  MakeDirectoryPath(dir.Path() + "file\\sub\\deeper");  // a file stands in the way
  EXPECT_FALSE(fs::exists(dir.Native() / "file" / "sub"));
  for (const char* nothing_to_make : {"", "\\", "C:", "C:\\"}) MakeDirectoryPath(nothing_to_make);
}

TEST(PathRules, AddAndRemoveOneTrailingBackslash) {
  const struct {
    const char* path;
    const char* with;
    const char* without;
  } cases[] = {
      {"D:\\Apps\\X", "D:\\Apps\\X\\", "D:\\Apps\\X"},
      {"D:\\Apps\\X\\", "D:\\Apps\\X\\", "D:\\Apps\\X"},
      {"C:", "C:\\", "C:"},
      {"C:\\", "C:\\", "C:"},
      {"C:\\A\\\\", "C:\\A\\\\", "C:\\A\\"},  // one only
      {"", "\\", ""},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(WithTrailingBackslash(row.path), row.with) << row.path;
    EXPECT_EQ(WithoutTrailingBackslash(row.path), row.without) << row.path;
  }
}

TEST(PathRules, FullPathsNeedADriveAndRootOrAServerAndShare) {
  for (const char* path : {"C:\\", "c:\\Programme\\X", "\\\\server\\share", "\\\\server\\share\\dir"}) {
    EXPECT_TRUE(IsFullPath(path)) << path;
  }
  for (const char* path : {"C:", "C:Programme", "\\Programme", "Programme\\X", "", "\\", "   \\", "1:\\",
                           "\\\\server", "\\\\server\\", "\\\\\\share"}) {
    EXPECT_FALSE(IsFullPath(path)) << path;
  }
}

TEST(PathRules, LevelsRunFromTheRootDown) {
  using Levels = std::vector<std::string>;
  const struct {
    const char* directory;
    Levels levels;
  } cases[] = {
      {"C:\\", {"C:\\"}},
      {"C:\\A\\B", {"C:\\", "C:\\A", "C:\\A\\B"}},
      {"C:\\A\\B\\", {"C:\\", "C:\\A", "C:\\A\\B"}},
      {"\\\\srv\\share", {"\\\\srv\\share\\"}},
      {"\\\\srv\\share\\A", {"\\\\srv\\share\\", "\\\\srv\\share\\A"}},
      {"C:", {}},
      {"A\\B", {}},
  };
  for (const auto& row : cases) EXPECT_EQ(DirectoryLevels(row.directory), row.levels) << row.directory;
  EXPECT_EQ(SubdirectoryPath("C:\\", "A"), "C:\\A");
  EXPECT_EQ(SubdirectoryPath("C:\\A", "B"), "C:\\A\\B");
}

}  // namespace
}  // namespace stp
