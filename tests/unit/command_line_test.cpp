#include "setup/command_line.h"

#include <gtest/gtest.h>

namespace stp {
namespace {

struct Expected {
  bool silent = false;
  const char* destination = "";
  const char* log_file = "";
  bool classic_removal = false;
  bool removal_switch = false;
};

struct Row {
  const char* arguments;
  Expected expected;
};

void ExpectParsed(const std::string& arguments, const Expected& expected) {
  const CommandLine parsed = ParseCommandLine("\"C:\\Medium 1\\Setup.exe\" " + arguments);
  EXPECT_EQ(parsed.silent, expected.silent) << arguments;
  EXPECT_EQ(parsed.destination, expected.destination) << arguments;
  EXPECT_EQ(parsed.log_file, expected.log_file) << arguments;
  EXPECT_EQ(parsed.classic_removal, expected.classic_removal) << arguments;
  EXPECT_EQ(parsed.removal_switch, expected.removal_switch) << arguments;
  EXPECT_TRUE(parsed.errors.empty()) << arguments << ": " << (parsed.errors.empty() ? "" : parsed.errors[0]);
}

TEST(ParseCommandLine, SwitchesInAnyOrderAndLetterCase) {
  const Row cases[] = {
      {"", {}},
      {"/S", {.silent = true}},
      {"-s", {.silent = true}},
      {"/log=C:\\setup.log", {.log_file = "C:\\setup.log"}},
      {"-LOG=setup.log", {.log_file = "setup.log"}},
      {"/D=C:\\Ziel", {.destination = "C:\\Ziel\\"}},
      {"-d=c:/ziel/sub/", {.destination = "c:\\ziel\\sub\\"}},
      {"/D=\\\\server\\share\\Ziel", {.destination = "\\\\server\\share\\Ziel\\"}},
      {"/S /u", {.silent = true, .removal_switch = true}},
      {"/LOG=a.log /S /D=C:\\Ziel", {.silent = true, .destination = "C:\\Ziel\\", .log_file = "a.log"}},
  };
  for (const auto& row : cases) ExpectParsed(row.arguments, row.expected);
}

// Deployment tools write the destination last and unquoted; people quote
// it, the whole argument or the path alone, and end it in "\".
TEST(ParseCommandLine, PathsWithBlanksAndQuotes) {
  const char* const kProgramFiles = "C:\\Program Files\\X\\";
  const Row cases[] = {
      {"/S /D=C:\\Program Files\\X", {.silent = true, .destination = kProgramFiles}},
      {"/S /D=C:\\Program Files\\X   ", {.silent = true, .destination = kProgramFiles}},
      {"/D=C:\\Program Files\\X /S", {.silent = true, .destination = kProgramFiles}},
      {"/D=C:\\Program Files\\X -S", {.silent = true, .destination = kProgramFiles}},
      {"/D=C:\\Program Files\\X \"/S\"", {.silent = true, .destination = kProgramFiles}},
      {"\"/D=C:\\Program Files\\X\" /S", {.silent = true, .destination = kProgramFiles}},
      {"/D=\"C:\\Program Files\\X\" /S", {.silent = true, .destination = kProgramFiles}},
      {"/D=\"C:\\Program Files\\X\\\" /S", {.silent = true, .destination = kProgramFiles}},
      {"/D=C:\\\"Program Files\"\\X", {.destination = kProgramFiles}},
      {"/D=\"C:\\Program Files\\X", {.destination = kProgramFiles}},
      // Two blanks inside a folder name stay two.
      {"/D=C:\\Alte  Sachen -S", {.silent = true, .destination = "C:\\Alte  Sachen\\"}},
      // "-" starts a switch only when one follows.
      {"/D=C:\\Werkzeuge -Alt\\X -s", {.silent = true, .destination = "C:\\Werkzeuge -Alt\\X\\"}},
      {"/D=C:\\Werkzeuge -Uhr", {.destination = "C:\\Werkzeuge -Uhr\\"}},
      {"/LOG=C:\\Protokolle\\setup 1.log /D=C:\\Program Files\\X",
       {.destination = kProgramFiles, .log_file = "C:\\Protokolle\\setup 1.log"}},
      {"/LOG=\"C:\\Protokolle\\setup 1.log\" -S",
       {.silent = true, .log_file = "C:\\Protokolle\\setup 1.log"}},
  };
  for (const auto& row : cases) ExpectParsed(row.arguments, row.expected);
}

// The first argument's second character asks for removal, whatever the
// rest of the argument is; /u asks for it anywhere.
TEST(ParseCommandLine, KeepsTheClassicRemovalArgument) {
  const Row cases[] = {
      {"/u", {.classic_removal = true, .removal_switch = true}},
      {"-U", {.classic_removal = true, .removal_switch = true}},
      {"\"/u\"", {.classic_removal = true, .removal_switch = true}},
      {"/uninstall", {.classic_removal = true}},
      {"xu", {.classic_removal = true}},
      {"-Ux /S", {.silent = true, .classic_removal = true}},
      {"/S /U", {.silent = true, .removal_switch = true}},
  };
  for (const auto& row : cases) ExpectParsed(row.arguments, row.expected);
}

TEST(ParseCommandLine, ReadsTheProgramNameAsTheRuntimeDoes) {
  const char* const kCommandLines[] = {
      "Setup.exe /S",
      "C:\\Medium\\Setup.exe /S",
      "\"C:\\Medium mit Blank\\Setup.exe\" /S",
      "\"C:\\Medium mit Blank\\Setup.exe\"\t/S",
      "\"C:\\Medium mit Blank\\\"Setup.exe /S",
  };
  for (const char* command_line : kCommandLines) {
    const CommandLine parsed = ParseCommandLine(command_line);
    EXPECT_TRUE(parsed.silent && parsed.errors.empty()) << command_line;
  }
  // The program's own name never counts as the first argument.
  EXPECT_FALSE(ParseCommandLine("xu.exe").classic_removal);
  EXPECT_TRUE(ParseCommandLine("").errors.empty());
}

TEST(ParseCommandLine, RefusesWhatItDoesNotKnow) {
  const struct {
    const char* arguments;
    std::vector<std::string> errors;
  } cases[] = {
      {"/S /x", {"Unbekannter Schalter \"/x\"."}},
      {"-x /S", {"Unbekannter Schalter \"-x\"."}},
      {"/Silent", {"Unbekannter Schalter \"/Silent\"."}},
      {"/D", {"Unbekannter Schalter \"/D\"."}},
      {"/S u", {"Unbekanntes Argument \"u\"."}},
      {"u", {"Unbekanntes Argument \"u\"."}},
      {"/S C:\\Ziel", {"Unbekanntes Argument \"C:\\Ziel\"."}},
      {"/S \"\"", {"Unbekanntes Argument \"\"."}},
      // The old meaning belongs to the first argument only.
      {"/S /uninstall", {"Unbekannter Schalter \"/uninstall\"."}},
      {"/D=", {"Nach \"/D=\" fehlt das Zielverzeichnis."}},
      {"/S -log=\"\"", {"Nach \"-log=\" fehlt die Protokolldatei."}},
      {"/D=C:\\a /D=C:\\b", {"Der Schalter \"/D=\" ist mehrfach angegeben."}},
      {"/LOG=a /log=a", {"Der Schalter \"/log=\" ist mehrfach angegeben."}},
      {"/D=Ziel",
       {"Das Zielverzeichnis \"Ziel\" ist kein vollständiger Pfad mit Laufwerk, zum Beispiel "
        "C:\\Programme\\Produkt."}},
      {"/D=C:\\Programme\\..\\X /q",
       {"Das Zielverzeichnis \"C:\\Programme\\..\\X\" ist kein vollständiger Pfad mit Laufwerk, zum Beispiel "
        "C:\\Programme\\Produkt.",
        "Unbekannter Schalter \"/q\"."}},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(ParseCommandLine(std::string("Setup.exe ") + row.arguments).errors, row.errors)
        << row.arguments;
  }
  // What can be read is read, so that a refusal reaches the log of /S /LOG=.
  const CommandLine refused = ParseCommandLine("Setup.exe /S /x /LOG=C:\\setup.log /D=C:\\a /D=C:\\b");
  EXPECT_TRUE(refused.silent);
  EXPECT_EQ(refused.log_file, "C:\\setup.log");
  EXPECT_EQ(refused.destination, "C:\\a\\");
}

TEST(ParseCommandLine, TheLauncherKnowsNoDestination) {
  const CommandLine silent = ParseCommandLine("LAUNCHER.EXE /S /LOG=C:\\entfernen.log", Program::kLauncher);
  EXPECT_TRUE(silent.silent && silent.errors.empty());
  EXPECT_EQ(silent.log_file, "C:\\entfernen.log");
  const CommandLine refused = ParseCommandLine("LAUNCHER.EXE /S /D=C:\\Program Files\\X", Program::kLauncher);
  EXPECT_EQ(refused.errors, std::vector<std::string>{"Unbekannter Schalter \"/D=C:\\Program Files\\X\"."});
  EXPECT_EQ(CommandLineErrorText(refused, Program::kLauncher),
            "Unbekannter Schalter \"/D=C:\\Program Files\\X\".\n"
            "Das Programm kennt die Schalter /S (ohne Rückfragen), /LOG=Protokolldatei und /u.");
  EXPECT_EQ(CommandLineErrorText(ParseCommandLine("Setup.exe /x -y")),
            "Unbekannter Schalter \"/x\".\nUnbekannter Schalter \"-y\".\n"
            "Setup kennt die Schalter /S (ohne Rückfragen), /D=Zielverzeichnis, /LOG=Protokolldatei und /u "
            "(Entfernen).");
}

}  // namespace
}  // namespace stp
