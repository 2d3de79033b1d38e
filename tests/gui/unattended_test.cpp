// Setup.exe and LAUNCHER.EXE without anyone at the screen, as deployment
// tools start them: no window at any time, the exit code and the log tell
// what happened.
#include <gtest/gtest.h>

// tlhelp32.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "maintenance.h"

namespace {

using scenario::ExpectLogLines;
using scenario::Installed;
using scenario::InstalledProduct;
using scenario::ProductName;
using scenario::Quoted;
using scenario::RunWatched;

// The session's programs of this file name. Wine ends a session through
// wineboot.exe, which a restart request starts.
std::set<DWORD> ProcessesNamed(const std::string& name) {
  std::set<DWORD> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (bool more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, name.c_str()) == 0) found.insert(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return found;
}

struct Removal {
  const char* name;
  bool restart;  // the medium asks for a restart after the installation
  std::function<std::string(const InstalledProduct&, const std::string& log)> command;
};

// A silent installation installs what the wizard would; where the finish
// dialog would offer a restart, it restarts nothing and says so in its exit
// code. The silent removal then leaves nothing.
TEST(Unattended, InstallsAndRemovesWithoutAWindow) {
  const Removal kRemovals[] = {
      {"Setup.exe /u /S", false,
       [](const InstalledProduct& product, const std::string& log) {
         return Quoted(product.MediumDirectory() + "Setup.exe") + " /u /S /LOG=" + log;
       }},
      // As a deployment tool starts the uninstall entry: unquoted, blanks and all.
      {"LAUNCHER.EXE /S", true,
       [](const InstalledProduct& product, const std::string& log) {
         return product.Launcher() + " /S /LOG=" + log;
       }},
  };
  int row = 0;
  for (const Removal& removal : kRemovals) {
    SCOPED_TRACE(removal.name);
    const std::string number = std::to_string(++row);
    InstalledProduct product("unattended-" + number, {"Still", "Werk " + number, "1.0"}, removal.restart);
    const std::string code = removal.restart ? "3010" : "0";
    const std::string log = product.Desktop() + "\\Setup Protokoll.log";
    const std::set<DWORD> ending_sessions = ProcessesNamed("wineboot.exe");
    const auto installed = RunWatched(Quoted(product.MediumDirectory() + "Setup.exe") +
                                      " /S /D=" + product.Destination() + " \"/LOG=" + log + "\"");
    EXPECT_EQ(std::to_string(installed.exit_code), code);
    EXPECT_FALSE(installed.window_seen);
    product.ExpectInstalled();
    ExpectLogLines(
        log, {"Start: ", "Produkt: " + product.Name().Title(), "Zielverzeichnis: " + product.Destination(),
              "Datei: " + product.Destination() + "Liesmich.txt", "Verknüpfung: ", "Registrierung: ",
              "Deinstallationseintrag: " + product.Name().EntryName(), "Ende: Exitcode " + code});
    // A restart request starts wineboot, which ends every program of the
    // session, this test included: either it is still at work, or the test
    // never gets here.
    EXPECT_EQ(ProcessesNamed("wineboot.exe"), ending_sessions);

    const std::string removal_log = product.Desktop() + "\\Entfernen.log";
    const auto removed = RunWatched(removal.command(product, removal_log));
    EXPECT_EQ(removed.exit_code, 0u);
    EXPECT_FALSE(removed.window_seen);
    product.ExpectRemoved();
    ExpectLogLines(removal_log, {"Deinstallation aus: " + product.Destination(), "Ende: Exitcode 0"});
  }
}

struct Failure {
  const char* name;
  const char* organisation;
  stptool::PackOptions layout;
  std::string arguments;
  std::function<void(const driver::Medium&)> spoil;
  DWORD exit_code;
  std::string line;  // "<stp>" stands for the setup data's path
};

// Diskette volumes below the medium: the large file begins in the first
// and ends in the second, and the last file lies in the second.
stptool::PackOptions TwoVolumes() {
  stptool::PackOptions options;
  options.first_volume_size = 200000;
  options.disk_folders = stptool::DiskFolders::kBelow;
  return options;
}

// What ends a silent run early, each with its exit code and its line in the
// log; nobody is asked anything, the large file is not left in place, and
// the product is not listed.
TEST(Unattended, FailuresEndWithTheirExitCode) {
  const auto nothing = [](const driver::Medium&) {};
  const Failure kCases[] = {
      {"an unknown switch", "Schalter", {}, "/S /X", nothing, 1639, "Unbekannter Schalter \"/X\""},
      {"an uncreatable destination",
       "Nirgends",
       {},
       "/S /D=Q:\\Nirgends",
       nothing,
       1603,
       "Das Verzeichnis Q:\\Nirgends\\ konnte nicht angelegt werden"},
      {"no setup data",
       "Leer",
       {},
       "/S",
       [](const driver::Medium& medium) { std::filesystem::remove(medium.SetupDirectory() + "Setup.stp"); },
       1603,
       "Fehler: Der Setup-Datensatz kann nicht gefunden werden"},
      // Nobody can insert a diskette: the prompt is the end of the run.
      {"a missing volume", "Diskette", TwoVolumes(), "/S",
       [](const driver::Medium& medium) { std::filesystem::remove(medium.Root() + "Disk2\\Setup2.stp"); },
       1603, "Fehler: Die Installationsdiskette 2 wurde nicht eingelegt, die Installation wird abgebrochen"},
      {"a damaged file",
       "Schaden",
       {},
       "/S",
       scenario::DamageSecondFile,
       1603,
       "Fehler: Die Daten der Datei C:\\Programme\\Schaden Werk\\gross.bin in <stp> sind beschädigt, die "
       "Installation wird abgebrochen"},
  };
  const std::vector<Installed> files = scenario::SmallBigSmall(400'000, 12);
  for (const Failure& c : kCases) {
    SCOPED_TRACE(c.name);
    const ProductName product{c.organisation, "Werk", "1.0"};
    const scenario::FreshProduct fresh(product);
    const driver::Medium medium(c.organisation, scenario::Description(product, false, files, {}),
                                scenario::SourceFiles(files), c.layout);
    c.spoil(medium);
    std::string line = c.line;
    if (const auto at = line.find("<stp>"); at != std::string::npos) {
      line.replace(at, 5, medium.SetupDirectory() + "Setup.stp");
    }
    const std::string log = medium.Root() + "Fehler.log";
    const auto ending =
        RunWatched(Quoted(medium.SetupDirectory() + "Setup.exe") + " " + c.arguments + " /LOG=" + log);
    EXPECT_EQ(ending.exit_code, c.exit_code);
    EXPECT_FALSE(ending.window_seen);
    ExpectLogLines(log, {line, "Ende: Exitcode " + std::to_string(c.exit_code)});
    for (const char* file : {"gross.bin", "danach.txt"}) {
      EXPECT_FALSE(scenario::Exists(product.Destination() + file)) << file;
    }
    if (scenario::Exists(product.Destination())) {
      EXPECT_FALSE(scenario::HoldsUnfinishedFile(product.Destination()));
    }
    EXPECT_FALSE(scenario::KeyExists(scenario::kUninstallList + product.EntryName()));
  }
}

// /D= and /LOG= without /S: the destination page proposes the directory, a
// silent second copy beside it leaves the product alone, and the cancelled
// run still leaves its log.
TEST(Unattended, AnInteractiveRunProposesTheDirectoryAndKeepsASecondCopyOut) {
  const ProductName name{"Vorschlag", "Werk", "1.0"};
  const scenario::FreshProduct fresh(name);
  const std::vector<Installed> files = scenario::SmallBigSmall(1'000, 14);
  const driver::Medium medium("vorschlag", scenario::Description(name, false, files, {}),
                              scenario::SourceFiles(files));
  const std::string destination = "C:\\Programme\\Eigener Ort";
  const std::string log = medium.Root() + "Mein Protokoll.log";
  driver::SetupProcess setup(medium.SetupDirectory());
  ASSERT_TRUE(setup.Start("/D=" + destination + " \"/LOG=" + log + "\""));
  HWND page = scenario::WalkTo(setup, "TVerzeichnis");
  ASSERT_TRUE(page);
  EXPECT_EQ(driver::TextOf(scenario::ControlOfClass(page, "Edit")), destination + "\\");

  const std::string second_log = medium.Root() + "Zweit.log";
  const auto second = RunWatched(Quoted(medium.SetupDirectory() + "Setup.exe") + " /S /LOG=" + second_log);
  EXPECT_EQ(second.exit_code, static_cast<DWORD>(ERROR_INSTALL_ALREADY_RUNNING));
  EXPECT_FALSE(second.window_seen);
  ExpectLogLines(second_log, {"Ende: Exitcode 1618"});

  driver::ClickButton(page, "Abbrechen");
  HWND confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch");
  ASSERT_TRUE(confirmation);
  driver::ClickButton(confirmation, "Abbrechen");
  EXPECT_EQ(setup.WaitForExit(), 1602u);
  EXPECT_FALSE(scenario::Exists(destination));
  ExpectLogLines(log, {"Start: ", "/D=" + destination, "Produkt: " + name.Title(),
                       "Ergebnis: Installation abgebrochen", "Ende: Exitcode 1602\r\n"});
}

}  // namespace
