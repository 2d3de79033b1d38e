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

// Splits a line as the C runtime splits the copy's command line: quotes
// group and vanish, 2n backslashes before a quote give n, 2n+1 give n and a
// literal quote.
Arguments SplitAsTheRuntime(const std::string& line) {
  Arguments arguments;
  std::string argument;
  bool in_argument = false;
  bool quoted = false;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    std::size_t backslashes = 0;
    for (; i < line.size() && line[i] == '\\'; ++i) ++backslashes;
    const bool quote = i < line.size() && line[i] == '"';
    argument.append(quote ? backslashes / 2 : backslashes, '\\');
    in_argument = in_argument || backslashes > 0 || quote;
    if (quote) {
      if (backslashes % 2 == 1)
        argument += '"';
      else
        quoted = !quoted;
    } else if (i == line.size() || (line[i] == ' ' && !quoted)) {
      if (in_argument) arguments.push_back(argument);
      argument.clear();
      in_argument = false;
    } else {
      argument += line[i];
      in_argument = true;
    }
  }
  return arguments;
}

// What the original hands on arrives in the copy unchanged, a record whose
// last backslash would escape the closing quote included.
TEST(LauncherStart, TheCopyGetsTheOriginalsSwitches) {
  const struct {
    const char* name;
    CopySwitches switches;
  } kCases[] = {
      {"none", {}},
      {"silent", {.silent = true}},
      {"silent, waiting, a log with blanks",
       {.original_waits = true,
        .silent = true,
        .log_file = "C:\\Dokumente und Einstellungen\\Admin\\Ent fernen.log"}},
      {"a log without /S", {.log_file = "C:\\Temp\\launcher.log"}},
      {"waiting only", {.original_waits = true}},
  };
  for (const std::string record : {"C:\\Programme\\Firma Planer\\Setup\\Setup.ini", "C:\\A B\\"}) {
    for (const auto& c : kCases) {
      SCOPED_TRACE(c.name + (" " + record));
      const LauncherStart start =
          ParseLauncherArguments(SplitAsTheRuntime(CopyArguments(record, 124, c.switches)));
      EXPECT_EQ(start.record, record);
      EXPECT_EQ(start.original_process, 124u);
      EXPECT_EQ(start.original_waits, c.switches.original_waits);
      EXPECT_EQ(start.silent, c.switches.silent);
      EXPECT_EQ(start.log_file, c.switches.log_file);
    }
  }
}

TEST(LauncherStart, QuotesAnUnquotedProgramNameWithBlanks) {
  const std::string program = "C:\\Programme\\Firma Planer\\Setup\\LAUNCHER.EXE";
  const std::string quoted = "\"" + program + "\"";
  const struct {
    std::string command_line;
    std::string expected;
  } kCases[] = {
      {program, quoted},
      {program + " /S /LOG=C:\\Temp\\x.log", quoted + " /S /LOG=C:\\Temp\\x.log"},
      // The system hands the path over in its own letter case.
      {"c:\\programme\\firma planer\\setup\\launcher.exe /S", quoted + " /S"},
      {quoted + " /S", quoted + " /S"},
      // Another program whose name begins the same.
      {program + "2 /S", program + "2 /S"},
      {"C:\\Programme\\Firma /S", "C:\\Programme\\Firma /S"},
      {"", ""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(WithQuotedProgramName(c.command_line, program), c.expected) << c.command_line;
  }
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
