#include "stptool/product_description.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "port/ansi_text.h"
#include "stptool/target_names.h"
#include "support/thrown.h"

namespace stptool {
namespace {

constexpr const char* kIdentity = "[product]\norganisation = Beispiel\nproduct = Textwerk\nversion = 2.0\n";

// The value a description gives a key of section General; "-" for none.
std::string GeneralValue(const std::string& product_lines, const std::string& key) {
  const auto general = ParseProductDescription(stp::AnsiToUtf8(kIdentity + product_lines), "t").general;
  const auto found =
      std::find_if(general.begin(), general.end(), [&](const auto& kv) { return kv.first == key; });
  return found == general.end() ? "-" : found->second;
}

TEST(ProductDescription, TurnsEveryKeyIntoItsSetupInfValue) {
  const struct {
    const char* lines;
    const char* key;
    const char* value;
  } kCases[] = {
      {"", "EVersion", "2.0"},  // the product key follows the version
      {"key-version = 2\r\n", "EVersion", "2"},
      {"default-directory =   C:\\Programme\\Textwerk  \n", "DefDirectory", "C:\\Programme\\Textwerk"},
      {"", "RequireNT", "0"},
      {"requires-nt = yes\n", "RequireNT", "1"},
      {"", "RebootSystem", "1"},
      {"restart = no\n", "RebootSystem", "0"},
      {"", "BackCl", "-"},
      {"background-colour = #008080\n", "BackCl", "0x808000"},
      {"title-colour = #FfFfFf\n", "FontCl", "0xFFFFFF"},
      {"shadow-colour = #123456\n", "ShadowCl", "0x563412"},
  };
  for (const auto& c : kCases) EXPECT_EQ(GeneralValue(c.lines, c.key), c.value) << c.lines << c.key;
  // A byte order mark, comments, CR LF and the text's Windows-1252 letters.
  const auto marked = ParseProductDescription(
      "\xEF\xBB\xBF" + stp::AnsiToUtf8("# by hand\r\n[product]\r\norganisation = Söhne & Co\r\nproduct = "
                                       "T\r\nversion = 1\r\n"),
      "t");
  EXPECT_EQ(marked.general.front(), std::make_pair(std::string("Organisation"), std::string("Söhne & Co")));
}

TEST(ProductDescription, ReadsSourcesAndTheirTargets) {
  const struct {
    const char* line;
    const char* source;
    bool folder;
    const char* target;
  } kCases[] = {
      {"a.txt", "a.txt", false, "a.txt"},
      {"./doc/./a.txt -> b/c.txt", "doc\\a.txt", false, "b\\c.txt"},
      {"doc/a.txt -> Hilfe/", "doc\\a.txt", false, "Hilfe\\a.txt"},
      {"a.ini -> <windir>\\", "a.ini", false, "<windir>\\a.ini"},
      {"a.txt -> ./", "a.txt", false, "a.txt"},
      {"Vorlagen/", "Vorlagen", true, "Vorlagen"},
      {"Vorlagen/ -> <desktop>", "Vorlagen", true, "<desktop>"},
      {". -> .", "", true, ""},
      {"Grüße.txt -> Übersicht\\", "Grüße.txt", false, "Übersicht\\Grüße.txt"},
  };
  for (const auto& c : kCases) {
    const auto description =
        ParseProductDescription(stp::AnsiToUtf8(std::string(kIdentity) + "[files]\n" + c.line + "\n"), "t");
    ASSERT_EQ(description.files.size(), 1u) << c.line;
    const FileSource& file = description.files[0];
    EXPECT_EQ(file.line, 6) << c.line;
    EXPECT_EQ(file.source, c.source) << c.line;
    EXPECT_EQ(file.folder, c.folder) << c.line;
    EXPECT_EQ(file.target, c.target) << c.line;
  }
  const auto links = ParseProductDescription(
                         std::string(kIdentity) + "[links]\nBeispiel/Textwerk.LNK -> Textwerk.exe\n", "t")
                         .links;
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].name, "Beispiel\\Textwerk.LNK");
  EXPECT_EQ(links[0].target, "Textwerk.exe");
}

TEST(ProductDescription, RefusesWhatItDoesNotUnderstandNamingTheLine) {
  const struct {
    std::string text;
    const char* message;
  } kCases[] = {
      {"organisation = B\n", "t:1: expected [product], [files] or [links] first"},
      {"[produkt]\n", "t:1: unknown section [produkt]"},
      {"[files]\n[links]\n[files]\n", "t:3: [files] appears a second time"},
      {"[product]\nname = Textwerk\n", "t:2: unknown key 'name'"},
      {"[product]\nproduct = A\nproduct = B\n", "t:3: 'product' is given a second time"},
      {"[product]\nproduct\n", "t:2: expected 'key = value'"},
      {"[product]\nproduct =\n", "t:2: 'product' has no value"},
      {"[product]\nrestart = ja\n", "t:2: 'restart' is yes or no"},
      {"[product]\ntitle-colour = #FFF\n", "t:2: 'title-colour' is a colour #RRGGBB"},
      {"[product]\nproduct = \"Textwerk\"\n", "t:2: the value of 'product' is enclosed in quotes"},
      {"[product]\nproduct = \xE6\x96\x87\n",
       "t:2: the value of 'product' holds characters that Windows-1252 cannot write (\xE6\x96\x87)"},
      // Saved in Latin-1, not in UTF-8.
      {"[product]\nproduct = B\xE4r\n", "t:2: the line is not UTF-8 text"},
      {"[files]\n/etc/passwd\n", "t:2: the source '/etc/passwd' is absolute"},
      {"[files]\n../secret.txt\n", "t:2: the source '../secret.txt' has a '..' part"},
      {"[files]\na.txt ->\n", "t:2: no target after '->'"},
      {"[links]\nTextwerk.lnk\n", "t:2: expected 'SHORTCUT -> TARGET'"},
      {"[links]\nTextwerk -> a.exe\n", "t:2: a shortcut's name ends in .lnk"},
      {"[links]\nA,B.lnk -> a.exe\n", "t:2: a shortcut's name cannot hold ','"},
      {"[links]\nA/../B.lnk -> a.exe\n", "t:2: the shortcut 'A"},
      {"[product]\norganisation = B\nproduct = T\n", "t: [product] needs 'version'"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    if (const auto e = stp::test::Thrown<ToolError>([&] { ParseProductDescription(c.text, "t"); })) {
      EXPECT_EQ(e->Status(), kUserError);
      EXPECT_EQ(std::string(e->what()).find(c.message), 0u) << e->what();
    }
  }
}

// Names that would leave the destination, or that Windows would not keep as
// they are written.
TEST(NameProblem, RefusesNamesThatLeaveTheDestination) {
  const char* const kDevice = "the name of a device that Windows opens instead of a file";
  const struct {
    const char* name;
    Placeholders placeholders;
    const char* problem;  // how it ends; empty: the name is fine
  } kCases[] = {
      {"Daten\\Grüße\\a b.txt", Placeholders::kRefused, ""},
      {"<WinDir>\\system\\a.ini", Placeholders::kAllowed, ""},
      {"<desktop>/a.txt", Placeholders::kAllowed, ""},
      {"com10\\nul1\\connect.txt\\.hidden", Placeholders::kRefused, ""},
      {"<windir>\\a.ini", Placeholders::kRefused, "holds the character '<'"},
      {"<desktop>", Placeholders::kAllowed, "needs a \"\\\" after <desktop>"},
      {"", Placeholders::kRefused, "is empty"},
      {"/a.txt", Placeholders::kRefused, "is absolute"},
      {"<windir>\\\\a.txt", Placeholders::kAllowed, "is absolute"},
      {"C:\\a.txt", Placeholders::kRefused, "has a drive letter"},
      {"a/../b", Placeholders::kRefused, "has a '..' part"},
      {"a\\.\\b", Placeholders::kRefused, "has a '.' part"},
      {"a\\", Placeholders::kRefused, "has an empty part"},
      {"file:stream", Placeholders::kRefused, "holds the character ':'"},
      {"a\x1b[2J.txt", Placeholders::kRefused, "holds a control character"},
      {"sub\\evil.", Placeholders::kRefused, "'evil.', which ends in a dot that Windows drops from names"},
      {"sub\\evil \\x", Placeholders::kRefused,
       "'evil ', which ends in a blank that Windows drops from names"},
      {"NUL", Placeholders::kRefused, kDevice},
      {"<windir>\\con.ini", Placeholders::kAllowed, kDevice},
      {"a\\Aux .tar.gz", Placeholders::kRefused, kDevice},
      {"lpt\xB9.txt", Placeholders::kRefused, kDevice},
      {"CONOUT$", Placeholders::kRefused, kDevice},
  };
  for (const auto& c : kCases) {
    const std::string problem = NameProblem(c.name, c.placeholders);
    EXPECT_TRUE(problem.ends_with(c.problem) && problem.empty() == (*c.problem == '\0'))
        << c.name << ": " << problem;
  }
}

TEST(ProfileValueProblem, RefusesValuesThatSetupInfWouldChange) {
  const struct {
    std::string value;
    const char* problem;
  } kCases[] = {
      {"'quoted' in part", ""},
      {std::string(1023, 'x'), ""},
      {std::string(1024, 'x'), "is longer than 1023 characters"},
      {" leading", "begins or ends with a blank"},
      {"trailing\t", "begins or ends with a blank"},
      {"\"quoted\"", "is enclosed in quotes"},
      {"'quoted'", "is enclosed in quotes"},
  };
  for (const auto& c : kCases) EXPECT_EQ(ProfileValueProblem(c.value), c.problem) << c.value;
}

}  // namespace
}  // namespace stptool
