#include "maintenance/launcher_start.h"

#include <gtest/gtest.h>

namespace stp {
namespace {

using Arguments = std::vector<std::string>;

TEST(LauncherStart, OnlyARecordAndAProcessMakeTheCopy) {
  const std::string record = "C:\\Programme\\Firma Planer\\Setup\\Setup.ini";
  const struct {
    const char* name;
    Arguments arguments;
    std::uintptr_t process;  // 0: the launcher the system started
  } kCases[] = {
      {"none", {}, 0},
      // The uninstall entry's path without quotes, split at its blank.
      {"a split path", {"C:\\Programme\\Firma", "Planer\\Setup\\LAUNCHER.EXE"}, 0},
      {"the copy", {"/record", record, "/wait", "124"}, 124},
      {"the copy, in another order", {"/wait", "124", "/record", record}, 124},
      {"the copy after a split path",
       {"C:\\Programme\\Firma", "Planer\\x.exe", "/record", record, "/wait", "7"},
       7},
      {"no process", {"/record", record}, 0},
      {"no record", {"/wait", "124"}, 0},
      {"a record without its value", {"/wait", "124", "/record"}, 0},
      {"a process that is no number", {"/record", record, "/wait", "12x"}, 0},
      {"process 0", {"/record", record, "/wait", "0"}, 0},
      {"a negative process", {"/record", record, "/wait", "-4"}, 0},
  };
  for (const auto& c : kCases) {
    const LauncherStart start = ParseLauncherArguments(c.arguments);
    EXPECT_EQ(start.IsCopy(), c.process != 0) << c.name;
    EXPECT_EQ(start.original_process, c.process) << c.name;
    EXPECT_EQ(start.record, c.process != 0 ? record : "") << c.name;
  }
}

TEST(LauncherStart, QuotesTheRecordForTheCommandLine) {
  EXPECT_EQ(CopyArguments("C:\\Programme\\Firma Planer\\Setup\\Setup.ini", 124),
            "/record \"C:\\Programme\\Firma Planer\\Setup\\Setup.ini\" /wait 124");
  // A backslash before the closing quote would escape it.
  EXPECT_EQ(CopyArguments("C:\\A B\\", 9), "/record \"C:\\A B\\\\\" /wait 9");
}

TEST(LauncherStart, FindsTheDestinationAboveTheRecordFolder) {
  const struct {
    const char* record;
    const char* destination;  // nullptr: none
  } kCases[] = {
      {"C:\\Programme\\Firma Planer\\Setup\\Setup.ini", "C:\\Programme\\Firma Planer\\"},
      {"c:/programme/x/SETUP/setup.INI", "c:\\programme\\x\\"},
      {"\\\\server\\share\\Planer\\Setup\\Setup.ini", "\\\\server\\share\\Planer\\"},
      {"C:\\Setup\\Setup.ini", "C:\\"},
      {"C:\\Planer\\Launcher\\Setup.ini", nullptr},
      {"C:\\Planer\\Setup\\Other.ini", nullptr},
      {"C:\\Setup.ini", nullptr},
      {"Planer\\Setup\\Setup.ini", nullptr},
      {"C:\\Planer\\..\\Setup\\Setup.ini", nullptr},
      {"", nullptr},
  };
  for (const auto& c : kCases) {
    const std::optional<std::string> destination = DestinationOfRecord(c.record);
    EXPECT_EQ(destination.value_or("none"), c.destination ? c.destination : "none") << c.record;
  }
}

}  // namespace
}  // namespace stp
