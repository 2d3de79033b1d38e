#include "engine/progress_labels.h"

#include <gtest/gtest.h>

#include <string>

namespace stp {
namespace {

// "C:\Programme\Beispiel\" + folder + "\" + name: 23 characters besides them.
std::string Target(std::size_t folder, std::size_t name) {
  return "C:\\Programme\\Beispiel\\" + std::string(folder, 'f') + "\\" + std::string(name, 'n');
}

TEST(ZeigAn, ShortensLongPathsToTheDriveTheLastFolderAndTheName) {
  const std::string f10 = std::string(10, 'f') + "\\";
  const std::string f20 = std::string(20, 'f') + "\\";
  const std::pair<std::string, std::string> kCases[] = {
      {Target(10, 11), Target(10, 11)},  // 44 characters stay
      {Target(10, 12), "C:\\...\\" + f10 + std::string(12, 'n')},
      {Target(10, 30), "C:\\...\\" + f10 + std::string(30, 'n')},
      {Target(10, 31), "C:\\...\\" + std::string(31, 'n')},
      {Target(1, 40), "C:\\...\\" + std::string(40, 'n')},
      {Target(1, 41), "C:\\...\\" + std::string(35, 'n') + "..."},
      {"D:\\" + std::string(42, 'n'), "D:\\...\\" + std::string(35, 'n') + "..."},
      {"E:\\Windows\\System\\" + f20 + std::string(20, 'n'), "E:\\...\\" + f20 + std::string(20, 'n')},
  };
  for (const auto& [path, shown] : kCases) EXPECT_EQ(ZeigAn(path), shown) << path.size();
}

}  // namespace
}  // namespace stp
