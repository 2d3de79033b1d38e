#include <gtest/gtest.h>

#include "setup/configuration.h"

namespace stp {
namespace {

SetupConfiguration ConfigOf(const std::string& general) {
  return ReadSetupConfiguration(ProfileFile::Parse("[General]\r\n" + general));
}

TEST(SetupConfiguration, DefaultsWhenNothingIsGiven) {
  const SetupConfiguration config = ReadSetupConfiguration(ProfileFile());
  EXPECT_EQ(config.Organisation, "");
  EXPECT_EQ(config.DefDirectory, "");
  EXPECT_EQ(config.RequireNT, "0");
  EXPECT_EQ(config.RebootSystem, "1");
  EXPECT_EQ(config.BackCl, 0x808000u);  // red 0, green 128, blue 128
  EXPECT_EQ(config.FontCl, 0xFFFFFFu);
  EXPECT_EQ(config.ShadowCl, 0u);
  EXPECT_EQ(ProductTitle(config), "  ");
  EXPECT_EQ(WindowCaption(config), "  -Setup");
}

TEST(SetupConfiguration, ReadsTextsAsTheyStand) {
  const auto config = ConfigOf(
      "Organisation=Firma\r\nProduct=Planer\r\nVersion=2.0\r\nEVersion=2.0a\r\n"
      "DefDirectory=D:\\Apps\\X\r\nRequireNT=01\r\nRebootSystem=\r\n");
  EXPECT_EQ(config.DefDirectory, "D:\\Apps\\X");
  EXPECT_EQ(config.RequireNT, "01");  // only exactly "1" switches, so keep the text
  EXPECT_EQ(config.RebootSystem, "");  // present but empty: no restart, unlike a missing key
  EXPECT_EQ(ProductTitle(config), "Firma Planer 2.0");
  EXPECT_EQ(WindowCaption(config), "Firma Planer 2.0-Setup");
  EXPECT_EQ(ProductKey(config), "Software\\Firma\\Planer\\2.0a");
  EXPECT_EQ(UninstallEntryName(config), "FirmaPlaner2.0");
}

TEST(SetupConfiguration, JoinsTitlePartsWithOneBlankEvenWhenEmpty) {
  EXPECT_EQ(ProductTitle(ConfigOf("Organisation=A\nProduct=B\nVersion=1.0\n")), "A B 1.0");
  EXPECT_EQ(WindowCaption(ConfigOf("Organisation=A\nProduct=B\n")), "A B -Setup");
  const auto no_product = ConfigOf("Organisation=Firma\nVersion=2.0\n");
  EXPECT_EQ(ProductTitle(no_product), "Firma  2.0");
  EXPECT_EQ(UninstallEntryName(no_product), "Firma2.0");
}

TEST(SetupConfiguration, ProposesDefDirectoryOrAFolderBelowProgramme) {
  const struct {
    const char* general;
    const char* destination;
  } cases[] = {
      {"DefDirectory=D:\\Apps\\X\n", "D:\\Apps\\X"},
      {"Organisation=A\nProduct=B\nDefDirectory=\n", "C:\\Programme\\A B"},
      {"Product=B\n", "C:\\Programme\\ B"},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(InitialDestination(ConfigOf(row.general)), row.destination) << row.general;
  }
}

TEST(SetupConfiguration, ReadsColoursAsIntegers) {
  struct Case {
    const char* text;
    Colour back;
  };
  const Case cases[] = {
      {"255", 0x0000FF},   {"$FF", 0x0000FF}, {"0x0000FF", 0x0000FF}, {"0xFF8000", 0xFF8000},
      {"0x", 0x808000},    {"red", 0x808000}, {"", 0x808000},         {"-1", 0xFFFFFFFF},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConfigOf(std::string("BackCl=") + c.text + "\n").BackCl, c.back) << c.text;
  }
  const auto config = ConfigOf("FontCl=0x00FF00\nShadowCl=$808080\n");
  EXPECT_EQ(config.FontCl, 0x00FF00u);
  EXPECT_EQ(config.ShadowCl, 0x808080u);
}

TEST(FileTable, SplitsEntriesAndAppendsNextOffset) {
  const auto inf = ProfileFile::Parse(
      "[General]\nNextOffset=300\n[Files]\n"
      "2=sub\\b.txt,100|-5&30000000\n"
      "1=a.txt,0|123&456\n"
      "3=<windir>\\c.ini,200|1&2|3\n");
  const FileTable table = LoadFileTable(inf);
  EXPECT_EQ(table.FileTargets, (std::vector<std::string>{"a.txt", "sub\\b.txt", "<windir>\\c.ini"}));
  EXPECT_EQ(table.FileOffsets, (std::vector<std::string>{"0", "100", "200", "300"}));
  EXPECT_EQ(table.FileTimes, (std::vector<std::string>{"123&456", "-5&30000000", "1&2|3"}));
}

TEST(FileTable, EndsAtTheFirstGapOrEmptyValue) {
  const FileTable gap = LoadFileTable(ProfileFile::Parse("[Files]\n1=a,0|1&2\n3=c,9|1&2\n"));
  EXPECT_EQ(gap.FileTargets, std::vector<std::string>{"a"});
  EXPECT_EQ(gap.FileOffsets, (std::vector<std::string>{"0", "0"}));  // NextOffset defaults to "0"

  const FileTable empty_value = LoadFileTable(ProfileFile::Parse("[Files]\n1=\n2=b,0|1&2\n"));
  EXPECT_TRUE(empty_value.FileTargets.empty());
  EXPECT_EQ(empty_value.FileOffsets, std::vector<std::string>{"0"});
}

TEST(FileTable, KeepsMalformedFieldsForTheEngineToJudge) {
  const FileTable table = LoadFileTable(ProfileFile::Parse("[Files]\n1=no comma|5&6\n2=x,no bar\n"));
  EXPECT_EQ(table.FileTargets, (std::vector<std::string>{"", "x"}));
  EXPECT_EQ(table.FileOffsets, (std::vector<std::string>{"no comma", "", "0"}));
  EXPECT_EQ(table.FileTimes, (std::vector<std::string>{"5&6", "no bar"}));
}

TEST(LinkTable, SplitsAtTheFirstComma) {
  const LinkTable table = LoadLinkTable(ProfileFile::Parse(
      "[Links]\n1=Firma\\Planer.lnk,planer.exe\n2=no comma\n3=a.lnk,b,c\n5=after gap,x\n"));
  EXPECT_EQ(table.LinkNames, (std::vector<std::string>{"Firma\\Planer.lnk", "", "a.lnk"}));
  EXPECT_EQ(table.LinkTargets, (std::vector<std::string>{"planer.exe", "no comma", "b,c"}));
}

TEST(TotalBytes, IsAnIntegerWithDefaultZero) {
  EXPECT_EQ(ReadTotalBytes(ProfileFile()), 0);
  EXPECT_EQ(ReadTotalBytes(ProfileFile::Parse("[General]\nBytes=123456\n")), 123456);
  EXPECT_EQ(ReadTotalBytes(ProfileFile::Parse("[General]\nBytes=0x10\n")), 16);
  EXPECT_EQ(ReadTotalBytes(ProfileFile::Parse("[General]\nBytes=lots\n")), 0);
}

}  // namespace
}  // namespace stp
