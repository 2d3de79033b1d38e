#include "engine/progress_labels.h"

#include <gtest/gtest.h>

#include <string>

namespace stp {
namespace {

std::string Folder(std::size_t length) { return std::string(length, 'f'); }
std::string Name(std::size_t length) { return std::string(length, 'n'); }
// "C:\Programme\Beispiel\" + folder + "\" + name: 23 characters besides them.
std::string Target(std::size_t folder, std::size_t name) {
  return "C:\\Programme\\Beispiel\\" + Folder(folder) + "\\" + Name(name);
}

TEST(ZeigAn, ShortensLongPathsToTheDriveTheLastFolderAndTheName) {
  const struct {
    const char* name;
    std::string path;
    std::string shown;
  } kCases[] = {
      {"44 characters stay", Target(10, 11), Target(10, 11)},
      {"45 characters", Target(10, 12), "C:\\...\\" + Folder(10) + "\\" + Name(12)},
      {"folder and name of 40", Target(10, 30), "C:\\...\\" + Folder(10) + "\\" + Name(30)},
      {"folder and name of 41", Target(10, 31), "C:\\...\\" + Name(31)},
      {"a name of 40", Target(1, 40), "C:\\...\\" + Name(40)},
      {"a name of 41", Target(1, 41), "C:\\...\\" + Name(35) + "..."},
      {"a long name in the root", "D:\\" + Name(42), "D:\\...\\" + Name(35) + "..."},
      {"another drive", "E:\\Windows\\System\\" + Folder(20) + "\\" + Name(20),
       "E:\\...\\" + Folder(20) + "\\" + Name(20)},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ZeigAn(c.path), c.shown);
  }
  ASSERT_EQ(Target(10, 11).size(), 44u);
}

TEST(DiskCaption, NamesTheVolumeExceptForASingleSetupStp) {
  EXPECT_EQ(DiskCaption(0), "");
  EXPECT_EQ(DiskCaption(1), "Diskette 1");
  EXPECT_EQ(DiskCaption(12), "Diskette 12");
}

}  // namespace
}  // namespace stp
