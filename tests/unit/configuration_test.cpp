#include "setup/configuration.h"

#include <gtest/gtest.h>

namespace stp {
namespace {

SetupConfiguration ConfigOf(const std::string& general) {
  return ReadSetupConfiguration(ProfileFile::Parse("[General]\r\n" + general));
}

// Only exactly "1" switches, so texts are kept as they stand; a present but
// empty RebootSystem means no restart, unlike a missing one. Colours are
// integers as the profile reads them.
TEST(SetupConfiguration, ReadsTextsAsTheyStandAndColoursAsIntegers) {
  const SetupConfiguration none = ReadSetupConfiguration(ProfileFile());
  EXPECT_EQ(none.RequireNT, "0");
  EXPECT_EQ(none.RebootSystem, "1");
  EXPECT_EQ(none.BackCl, 0x808000u);  // red 0, green 128, blue 128
  EXPECT_EQ(none.FontCl, 0xFFFFFFu);
  EXPECT_EQ(none.ShadowCl, 0u);
  const auto config = ConfigOf("RequireNT=01\r\nRebootSystem=\r\nBackCl=0xFF8000\nFontCl=$FF\nShadowCl=-1\n");
  EXPECT_EQ(config.RequireNT, "01");
  EXPECT_EQ(config.RebootSystem, "");
  EXPECT_EQ(config.BackCl, 0xFF8000u);
  EXPECT_EQ(config.FontCl, 0x0000FFu);
  EXPECT_EQ(config.ShadowCl, 0xFFFFFFFFu);
  EXPECT_EQ(ConfigOf("BackCl=red\nFontCl=\n").BackCl, 0x808000u);
  EXPECT_EQ(ConfigOf("FontCl=\n").FontCl, 0xFFFFFFu);
  EXPECT_EQ(ReadTotalBytes(ProfileFile::Parse("[General]\nBytes=0x10\n")), 16);
  EXPECT_EQ(ReadTotalBytes(ProfileFile::Parse("[General]\nBytes=lots\n")), 0);
}

// Empty parts keep their blanks.
TEST(SetupConfiguration, ComposesNamesFromTheProductParts) {
  const struct {
    const char* general;
    const char* title;
    const char* caption;
    const char* destination;
    const char* uninstall_entry;
  } kCases[] = {
      {"Organisation=Firma\nProduct=Planer\nVersion=2.0\nDefDirectory=D:\\Apps\\X\n", "Firma Planer 2.0",
       "Firma Planer 2.0-Setup", "D:\\Apps\\X", "FirmaPlaner2.0"},
      {"Organisation=A\nProduct=B\nDefDirectory=\n", "A B ", "A B -Setup", "C:\\Programme\\A B", "AB"},
      {"Organisation=Firma\nVersion=2.0\n", "Firma  2.0", "Firma  2.0-Setup", "C:\\Programme\\Firma ",
       "Firma2.0"},
  };
  for (const auto& c : kCases) {
    const SetupConfiguration config = ConfigOf(c.general);
    EXPECT_EQ(ProductTitle(config), c.title) << c.general;
    EXPECT_EQ(WindowCaption(config), c.caption) << c.general;
    EXPECT_EQ(InitialDestination(config), c.destination) << c.general;
    EXPECT_EQ(UninstallEntryName(config), c.uninstall_entry) << c.general;
  }
  EXPECT_EQ(ProductKey(ConfigOf("Organisation=Firma\nProduct=Planer\nVersion=2.0\nEVersion=2.0a\n")),
            "Software\\Firma\\Planer\\2.0a");
}

// One claim per product: letter case and version do not make another one.
TEST(SetupConfiguration, NamesTheRunOfAProduct) {
  const std::string name = SetupRunName(ConfigOf("Organisation=Firma\nProduct=Planer\nVersion=2.0\n"));
  EXPECT_EQ(name, "SetupRun/FIRMA/PLANER");
  EXPECT_EQ(SetupRunName(ConfigOf("Organisation=fIrma\nProduct=planer\nVersion=3.0\nEVersion=3\n")), name);
  EXPECT_NE(SetupRunName(ConfigOf("Organisation=Firma\nProduct=Planer 2\nVersion=2.0\n")), name);
  // No "\", which would name a namespace; other characters stay as they are.
  EXPECT_EQ(SetupRunName(ConfigOf("Organisation=A\\B\nProduct=Grüße\n")), "SetupRun/A/B/GRüßE");
}

// Entries are read from 1 up to the first missing or empty one; NextOffset
// ends the offsets. Malformed fields are kept for the engine to judge.
TEST(FileTable, SplitsEntriesUpToTheFirstGap) {
  using Texts = std::vector<std::string>;
  const struct {
    const char* inf;
    Texts targets, offsets, times;
  } kCases[] = {
      {"[General]\nNextOffset=300\n[Files]\n2=sub\\b.txt,100|-5&30000000\n1=a.txt,0|123&456\n"
       "3=<windir>\\c.ini,200|1&2|3\n",
       {"a.txt", "sub\\b.txt", "<windir>\\c.ini"},
       {"0", "100", "200", "300"},
       {"123&456", "-5&30000000", "1&2|3"}},
      {"[Files]\n1=a,0|1&2\n3=c,9|1&2\n", {"a"}, {"0", "0"}, {"1&2"}},  // NextOffset defaults to "0"
      {"[Files]\n1=\n2=b,0|1&2\n", {}, {"0"}, {}},
      {"[Files]\n1=no comma|5&6\n2=x,no bar\n", {"", "x"}, {"no comma", "", "0"}, {"5&6", "no bar"}},
  };
  for (const auto& c : kCases) {
    const FileTable table = LoadFileTable(ProfileFile::Parse(c.inf));
    EXPECT_EQ(table.FileTargets, c.targets) << c.inf;
    EXPECT_EQ(table.FileOffsets, c.offsets) << c.inf;
    EXPECT_EQ(table.FileTimes, c.times) << c.inf;
  }
  const LinkTable links = LoadLinkTable(ProfileFile::Parse(
      "[Links]\n1=Firma\\Planer.lnk,planer.exe\n2=no comma\n3=a.lnk,b,c\n5=after gap,x\n"));
  EXPECT_EQ(links.LinkNames, (Texts{"Firma\\Planer.lnk", "", "a.lnk"}));
  EXPECT_EQ(links.LinkTargets, (Texts{"planer.exe", "no comma", "b,c"}));
}

// Without the section the files go unchecked; with it, each file of the
// table has its entry, an empty one where the key is missing.
TEST(FileTable, ReadsTheChecksumsOfItsEntriesWhereTheSectionIsThere) {
  const std::string files = "[General]\r\nNextOffset=9\r\n[Files]\r\n1=a,0|0&0\r\n2=b,4|0&0\r\n";
  using Checks = std::optional<std::vector<std::string>>;
  const std::pair<std::string, Checks> kCases[] = {
      {"", std::nullopt},
      {"[Checksums]\r\n", Checks({"", ""})},
      {"[checksums]\r\n2=1,00000001\r\n", Checks({"", "1,00000001"})},
      {"[Checksums]\r\n1=x\r\n2=y\r\n3=z\r\n", Checks({"x", "y"})},
  };
  for (const auto& [section, checks] : kCases) {
    EXPECT_EQ(LoadFileTable(ProfileFile::Parse(files + section)).FileChecks, checks) << section;
  }
}

TEST(ParseFileCheck, TakesExactlyADecimalSizeACommaAndEightHexDigits) {
  const std::pair<const char*, FileCheck> kAccepted[] = {
      {"9,CBF43926", {9, 0xCBF43926}},
      {"0,00000000", {0, 0}},
      {"2147483647,ffffffff", {2147483647, 0xFFFFFFFF}},
      {"007,0000000A", {7, 10}},
  };
  for (const auto& [text, check] : kAccepted) {
    EXPECT_EQ(ParseFileCheck(text), check) << text;
    EXPECT_EQ(ParseFileCheck(FileCheckText(check)), check) << text;
  }
  EXPECT_EQ(FileCheckText({0, 10}), "0,0000000A");
  for (const char* text : {"", "9", ",CBF43926", "9,CBF4392", "9,CBF439260", "9,CBF4392G", "9,0xF43926",
                           "9;CBF43926", "-9,CBF43926", "+9,CBF43926", " 9,CBF43926", "9 ,CBF43926",
                           "2147483648,CBF43926", "99999999999,CBF43926", "9,CBF43926,1"}) {
    EXPECT_EQ(ParseFileCheck(text), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace stp
