#include "port/full_path.h"

#include <gtest/gtest.h>

#include "maintenance/removal.h"

namespace stp {
namespace {

TEST(FullPath, AcceptsOnlyPlainFullPaths) {
  const std::pair<const char*, const char*> kAccepted[] = {
      {"C:\\Programme\\Firma Planer\\", "C:\\Programme\\Firma Planer"},
      {"c:/programme/x.txt", "c:\\programme\\x.txt"},
      {"C:\\", "C:"},
      {"\\\\server\\share\\", "\\\\server\\share"},
      {"//server/share/a", "\\\\server\\share\\a"},
      {"C:\\x\\.profile", "C:\\x\\.profile"},
      {"C:\\x\\console.txt", "C:\\x\\console.txt"},
  };
  for (const auto& [path, text] : kAccepted) {
    const auto parsed = FullPath::Parse(path);
    EXPECT_EQ(parsed ? parsed->Text() : "(refused)", text) << path;
  }
  for (const char* path : {"",
                           "Planer.exe",
                           "Programme\\Planer\\",
                           "\\Programme\\Planer",
                           "C:Planer",
                           "C:",
                           "1:\\x",
                           " C:\\x",
                           "C:\\\\x",
                           "C:\\x\\\\y",
                           "C:\\x\\\\",
                           "C:\\x\\..\\y",
                           "C:\\x\\.\\y",
                           "C:\\x\\...",
                           "C:\\Windows.\\x",
                           "C:\\Windows \\x",
                           "C:\\x\\a.txt:verborgen",
                           "C:\\x\\*.txt",
                           "C:\\x\\a?.txt",
                           "C:\\x\\a\tb",
                           "C:\\x\\NUL",
                           "C:\\x\\con.txt",
                           "C:\\x\\Com1 .log",
                           "C:\\x\\LPT\xB9",
                           "\\\\?\\C:\\x",
                           "\\\\.\\C:\\x",
                           "\\\\server",
                           "\\\\server\\",
                           "\\\\\\share\\x"}) {
    EXPECT_FALSE(FullPath::Parse(path)) << path;
  }
}

TEST(FullPath, ComparesAsWindowsDoes) {
  enum Relation { kBelow, kSame, kAbove, kApart };
  const struct {
    const char* path;
    const char* place;
    Relation relation;
  } kCases[] = {
      {"C:\\Programme\\Planer\\a.txt", "C:\\Programme\\Planer\\", kBelow},
      {"c:/PROGRAMME/planer/Hilfe/a.txt", "C:\\Programme\\Planer", kBelow},
      {"C:\\Programme\\Planer", "c:\\programme\\planer\\", kSame},
      {"C:\\\xC4rger\\\x8Akoda\\\x9F", "C:\\\xE4rger\\\x9Akoda\\\xFF", kSame},  // Ärger\Škoda\Ÿ
      {"C:\\Programme", "C:\\Programme\\Planer", kAbove},
      {"C:\\", "C:\\Programme", kAbove},
      {"C:\\Programme\\Planer2\\a.txt", "C:\\Programme\\Planer", kApart},
      {"D:\\Programme\\Planer\\a.txt", "C:\\Programme\\Planer", kApart},
      {"\\\\server\\share\\a", "\\\\server\\share", kBelow},
      {"\\\\server\\share2\\a", "\\\\server\\share", kApart},
  };
  for (const auto& c : kCases) {
    const FullPath path = *FullPath::Parse(c.path);
    const FullPath place = *FullPath::Parse(c.place);
    EXPECT_EQ(path.IsBelow(place), c.relation == kBelow) << c.path;
    EXPECT_EQ(path.IsSameAs(place), c.relation == kSame) << c.path;
    EXPECT_EQ(path.IsSameOrAbove(place), c.relation == kSame || c.relation == kAbove) << c.path;
  }
  EXPECT_EQ(FullPath::Parse("C:\\A\\b.txt")->Parent().Text(), "C:\\A");
  EXPECT_EQ(FullPath::Parse("C:\\A")->Parent().Text(), "C:");
  EXPECT_TRUE(FullPath::Parse("\\\\server\\share\\A")->Parent().IsRoot());
}

TEST(RecordPath, LiesInTheSetupFolderOfTheDestination) {
  EXPECT_EQ(RecordPath("C:\\Programme\\Planer\\"), "C:\\Programme\\Planer\\Setup\\Setup.ini");
  // Without its trailing "\" the directory is still the directory, not its parent.
  EXPECT_EQ(RecordPath("C:\\Programme\\Planer"), "C:\\Programme\\Planer\\Setup\\Setup.ini");
  EXPECT_EQ(RecordPath("C:\\"), "C:\\Setup\\Setup.ini");
  EXPECT_EQ(RecordPath("Planer\\"), std::nullopt);
}

}  // namespace
}  // namespace stp
