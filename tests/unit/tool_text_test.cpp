// How stptool reads its command line and shows what it prints.

#include <gtest/gtest.h>

#include "stptool/arguments.h"
#include "stptool/native_text.h"
#include "stptool/pack.h"
#include "support/thrown.h"

namespace stptool {
namespace {

// A name from a medium must not play tricks on the terminal that shows it.
TEST(Shown, EscapesWhatATerminalWouldTakeForCommands) {
  const struct {
    const char* text;
    const char* shown;
    const char* shown_path;
  } kCases[] = {
      {"a\x1b[2Jb", "a\\x1b[2Jb", "a\\x1b[2Jb"},
      {"tab\there\r\n", "tab\\x09here\\x0d\\x0a", "tab\\x09here\\x0d\\x0a"},
      {"del\x7f", "del\\x7f", "del\\x7f"},
      // Bytes Windows-1252 leaves undefined become C1 controls, 0x9D one
      // that starts a terminal command.
      {"osc\x9d", "osc\\x9d", "osc\\x9d"},
#ifdef _WIN32
      {"Gr\xFC\xDF"
       "e\\a",
       "Gr\xFC\xDF"
       "e\\a",
       "Gr\xFC\xDF"
       "e\\a"},
      {"\x1b\\x", "\\x1b\\x", "\\x1b\\x"},
#else
      // UTF-8 for the terminal.
      {"Gr\xFC\xDF"
       "e\\a",
       "Gr\xC3\xBC\xC3\x9F"
       "e\\a",
       "Gr\xC3\xBC\xC3\x9F"
       "e/a"},
      {"\x1b\\x", "\\x1b\\x", "\\x1b/x"},
#endif
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(Shown(c.text), c.shown) << c.text;
    EXPECT_EQ(ShownPath(c.text), c.shown_path) << c.text;
  }
}

TEST(ParseArguments, TakesOptionsAnywhereUntilDoubleDash) {
  const std::vector<std::string> args = {"-v", "500", "a", "-q", "--", "-b", "--help"};
  const Arguments parsed = ParseArguments(args, {"-v", "-b"}, {"-q"}, "usage");
  EXPECT_EQ(parsed.values.at("-v"), "500");
  EXPECT_TRUE(parsed.flags.contains("-q"));
  EXPECT_EQ(parsed.operands, (std::vector<std::string>{"a", "-b", "--help"}));
  EXPECT_FALSE(parsed.help);

  EXPECT_TRUE(ParseArguments(std::vector<std::string>{"a", "--help"}, {}, {}, "usage").help);
  EXPECT_TRUE(ParseArguments(std::vector<std::string>{"-h"}, {}, {}, "usage").help);
  EXPECT_THROW(ParseArguments(std::vector<std::string>{"-x"}, {}, {}, "usage"), ToolError);
  EXPECT_THROW(ParseArguments(std::vector<std::string>{"-v"}, {"-v"}, {}, "usage"), ToolError);
}

TEST(ParseVolumeSize, ReadsBytesKilobytesAndDisketteMegabytes) {
  const struct {
    const char* text;
    std::int64_t bytes;  // 0: refused; -1: auto
    const char* message = "";
  } kCases[] = {
      {"1", 1},
      {"1457664", 1457664},
      {"700k", 716800},
      {"1423.5K", 1457664},
      {"0.5k", 512},
      {"1.2M", 1228800},
      {"auto", -1},
      {"1457665", 0,
       "-v 1457665 is 1457665 bytes, more than a 1.44 MB diskette holds for files (1457664 bytes)"},
      {"1440k", 0, "-v 1440k is 1474560 bytes"},
      {"1.2k", 0, "-v 1.2k is no whole number of bytes"},
      {"0", 0, "-v takes at least 1 byte"},
      {"1.5", 0, "not '1.5'"},
      {"-5", 0, "not '-5'"},
      {"2.k", 0, "not '2.k'"},
      {"99999999999999", 0, "not '99999999999999'"},
  };
  for (const auto& c : kCases) {
    if (c.bytes != 0) {
      EXPECT_EQ(ParseVolumeSize(c.text).value_or(-1), c.bytes) << c.text;
      continue;
    }
    SCOPED_TRACE(c.text);
    if (const auto e = stp::test::Thrown<ToolError>([&] { ParseVolumeSize(c.text); })) {
      EXPECT_EQ(e->Status(), kUserError);
      EXPECT_NE(std::string(e->what()).find(c.message), std::string::npos) << e->what();
    }
  }
}

}  // namespace
}  // namespace stptool
