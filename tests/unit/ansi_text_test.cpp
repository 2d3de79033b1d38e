#include "port/ansi_text.h"

#include <gtest/gtest.h>

namespace stp {
namespace {

TEST(AnsiText, ConvertsGermanAndHighCharactersToUtf8) {
  struct Case {
    std::string ansi;
    std::string utf8;
  };
  const Case cases[] = {
      {"", ""},
      {"Zurück",
       "Zur\xC3\xBC"
       "ck"},                    // the literal is Windows-1252
      {"\x80", "\xE2\x82\xAC"},  // euro sign
      {"\x81", "\xC2\x81"},      // undefined in Windows-1252: kept as C1 control
      {"\x9F", "\xC5\xB8"},
      {"\xFF", "\xC3\xBF"},
      {"\\<windir>\\a", "\\<windir>\\a"},
  };
  for (const auto& c : cases) EXPECT_EQ(AnsiToUtf8(c.ansi), c.utf8) << c.ansi;
}

TEST(AnsiText, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const auto back = Utf8ToAnsi(AnsiToUtf8(all));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
}

TEST(AnsiText, RejectsWhatWindows1252CannotHold) {
  EXPECT_FALSE(Utf8ToAnsi("\xE4\xB8\xAD").has_value());  // a CJK character
  EXPECT_FALSE(Utf8ToAnsi("\xC3").has_value());          // cut sequence
  EXPECT_FALSE(Utf8ToAnsi("a\x80z").has_value());        // stray continuation byte
  EXPECT_FALSE(Utf8ToAnsi("\xF0\x9F\x98\x80").has_value());
}

}  // namespace
}  // namespace stp
