#include <gtest/gtest.h>

#include "port/ansi_text.h"
#include "stptool/product_description.h"
#include "stptool/target_names.h"

namespace stptool {
namespace {

using General = std::vector<std::pair<std::string, std::string>>;

constexpr const char* kIdentity = "[product]\norganisation = Beispiel\nproduct = Textwerk\nversion = 2.0\n";

TEST(ProductDescription, TurnsEveryKeyIntoItsSetupInfValue) {
  const auto full = ParseProductDescription(
      "\xEF\xBB\xBF" + stp::AnsiToUtf8("# written by hand\r\n"
                                       "[product]\r\n"
                                       "  organisation      = Beispiel & Söhne  \r\n"
                                       "product = Textwerk\r\n"
                                       "version = 2.0\r\n"
                                       "key-version = 2\r\n"
                                       "default-directory = C:\\Programme\\Textwerk\r\n"
                                       "requires-nt = yes\r\n"
                                       "restart = no\r\n"
                                       "background-colour = #008080\r\n"
                                       "title-colour = #FfFfFf\r\n"
                                       "shadow-colour = #123456\r\n"),
      "full");
  EXPECT_EQ(full.general, (General{{"Organisation", "Beispiel & Söhne"},
                                   {"Product", "Textwerk"},
                                   {"Version", "2.0"},
                                   {"EVersion", "2"},
                                   {"DefDirectory", "C:\\Programme\\Textwerk"},
                                   {"RequireNT", "1"},
                                   {"RebootSystem", "0"},
                                   {"BackCl", "0x808000"},
                                   {"FontCl", "0xFFFFFF"},
                                   {"ShadowCl", "0x563412"}}));

  // Left out: the product key follows the version, no NT needed, restart.
  EXPECT_EQ(ParseProductDescription(kIdentity, "least").general, (General{{"Organisation", "Beispiel"},
                                                                          {"Product", "Textwerk"},
                                                                          {"Version", "2.0"},
                                                                          {"EVersion", "2.0"},
                                                                          {"RequireNT", "0"},
                                                                          {"RebootSystem", "1"}}));
}

TEST(ProductDescription, ReadsSourcesAndTheirTargets) {
  struct Case {
    const char* line;
    const char* source;
    bool folder;
    const char* target;
  };
  const Case cases[] = {
      {"a.txt", "a.txt", false, "a.txt"},
      {"doc/a.txt", "doc\\a.txt", false, "doc\\a.txt"},
      {"./doc/./a.txt -> b/c.txt", "doc\\a.txt", false, "b\\c.txt"},
      {"doc/a.txt -> Hilfe/", "doc\\a.txt", false, "Hilfe\\a.txt"},
      {"a.ini -> <windir>\\", "a.ini", false, "<windir>\\a.ini"},
      {"a.txt -> ./", "a.txt", false, "a.txt"},
      {"Vorlagen/", "Vorlagen", true, "Vorlagen"},
      {"Vorlagen/ -> Muster", "Vorlagen", true, "Muster"},
      {"Vorlagen/ -> <desktop>", "Vorlagen", true, "<desktop>"},
      {"./", "", true, ""},
      {". -> .", "", true, ""},
      {"Grüße.txt -> Übersicht\\", "Grüße.txt", false, "Übersicht\\Grüße.txt"},
  };
  for (const Case& c : cases) {
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
  struct Case {
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {"organisation = B\n", "t:1: expected [product], [files] or [links] first"},
      {"[produkt]\n", "t:1: unknown section [produkt]"},
      {"[files]\n[links]\n[files]\n", "t:3: [files] appears a second time"},
      {"[product]\nname = Textwerk\n", "t:2: unknown key 'name'"},
      {"[product]\nproduct = A\nproduct = B\n", "t:3: 'product' is given a second time"},
      {"[product]\nproduct\n", "t:2: expected 'key = value'"},
      {"[product]\nproduct =\n", "t:2: 'product' has no value"},
      {"[product]\nrestart = ja\n", "t:2: 'restart' is yes or no"},
      {"[product]\ntitle-colour = white\n", "t:2: 'title-colour' is a colour #RRGGBB"},
      {"[product]\ntitle-colour = #FFF\n", "t:2: 'title-colour' is a colour #RRGGBB"},
      {"[product]\nproduct = \"Textwerk\"\n", "t:2: the value of 'product' is enclosed in quotes"},
      {"[product]\nproduct = " + std::string(1024, 'x') + "\n",
       "t:2: the value of 'product' is longer than 1023"},
      {"[product]\nproduct = \xE6\x96\x87\n",
       "t:2: the value of 'product' holds characters that Windows-1252"},
      {"[files]\n/etc/passwd\n", "t:2: the source '/etc/passwd' is absolute"},
      {"[files]\n../secret.txt\n", "t:2: the source '../secret.txt' has a '..' part"},
      {"[files]\na.txt ->\n", "t:2: no target after '->'"},
      {"[links]\nTextwerk.lnk\n", "t:2: expected 'SHORTCUT -> TARGET'"},
      {"[links]\nTextwerk -> a.exe\n", "t:2: a shortcut's name ends in .lnk"},
      {"[links]\nA,B.lnk -> a.exe\n", "t:2: a shortcut's name cannot hold ','"},
      {"[links]\n../A.lnk -> a.exe\n", "t:2: the shortcut '..\\A.lnk' has a '..' part"},
      {"[product]\norganisation = B\nproduct = T\n", "t: [product] needs 'version'"},
  };
  for (const Case& c : cases) {
    try {
      ParseProductDescription(c.text, "t");
      ADD_FAILURE() << c.text << ": no error";
    } catch (const ToolError& e) {
      EXPECT_EQ(e.Status(), kUserError);
      EXPECT_EQ(std::string(e.what()).find(c.message), 0u) << e.what();
    }
  }
}

TEST(NameProblem, RefusesNamesThatLeaveTheDestination) {
  struct Case {
    const char* name;
    Placeholders placeholders;
    const char* problem;  // empty: the name is fine
  };
  const Case cases[] = {
      {"a.txt", Placeholders::kRefused, ""},
      {"Daten\\Grüße\\a b.txt", Placeholders::kRefused, ""},
      {"<WinDir>\\system\\a.ini", Placeholders::kAllowed, ""},
      {"<desktop>/a.txt", Placeholders::kAllowed, ""},
      {"<windir>\\a.ini", Placeholders::kRefused, "holds the character '<'"},
      {"<desktop>", Placeholders::kAllowed, "needs a \"\\\" after <desktop>"},
      {"", Placeholders::kRefused, "is empty"},
      {"\\a.txt", Placeholders::kRefused, "is absolute"},
      {"/a.txt", Placeholders::kRefused, "is absolute"},
      {"<windir>\\\\a.txt", Placeholders::kAllowed, "is absolute"},
      {"C:\\a.txt", Placeholders::kRefused, "has a drive letter"},
      {"a\\..\\..\\b", Placeholders::kRefused, "has a '..' part"},
      {"a/../b", Placeholders::kRefused, "has a '..' part"},
      {"a\\.\\b", Placeholders::kRefused, "has a '.' part"},
      {"a\\\\b", Placeholders::kRefused, "has an empty part"},
      {"a\\", Placeholders::kRefused, "has an empty part"},
      {"file:stream", Placeholders::kRefused, "holds the character ':'"},
      {"a?.txt", Placeholders::kRefused, "holds the character '?'"},
      {"a\x1b[2J.txt", Placeholders::kRefused, "holds a control character"},
  };
  for (const Case& c : cases) EXPECT_EQ(NameProblem(c.name, c.placeholders), c.problem) << c.name;
}

TEST(ProfileValueProblem, RefusesValuesThatSetupInfWouldChange) {
  struct Case {
    std::string value;
    const char* problem;
  };
  const Case cases[] = {
      {"Beispiel GmbH", ""},
      {"'quoted' in part", ""},
      {std::string(1023, 'x'), ""},
      {std::string(1024, 'x'), "is longer than 1023 characters"},
      {" leading", "begins or ends with a blank"},
      {"trailing\t", "begins or ends with a blank"},
      {"\"quoted\"", "is enclosed in quotes"},
      {"'quoted'", "is enclosed in quotes"},
  };
  for (const Case& c : cases) EXPECT_EQ(ProfileValueProblem(c.value), c.problem) << c.value;
}

}  // namespace
}  // namespace stptool
