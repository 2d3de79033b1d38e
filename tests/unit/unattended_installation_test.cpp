#include "unattended/unattended_installation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>

#include "engine/logged_installation.h"
#include "port/file_system.h"
#include "support/medium.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "support/test_data.h"

namespace stp {
namespace {

namespace fs = std::filesystem;
using test::MediumFile;
using Lines = std::vector<std::string>;

constexpr char kRegistryFailure[] = "Fehler beim Zugriff auf die Systemregistrierung aufgetreten.";

// As the registry adapter does it: a failure goes to the run's messages,
// which show it in a box or, here, only log it.
class Registry : public RegistryTraces {
 public:
  explicit Registry(MessageSink& messages) : messages_(messages) {}
  void WriteRegString(const std::string& key_path, const std::string&, const std::string&) override {
    if (fails) messages_.Show(MessageKind::kError, kRegistryFailure, key_path);
  }
  void RegisterUninstall(const std::string& entry_name, const std::string&, const std::string&) override {
    if (fails) messages_.Show(MessageKind::kError, kRegistryFailure, entry_name);
  }
  bool fails = false;

 private:
  MessageSink& messages_;
};

class Shortcuts : public ShortcutWriter {
 public:
  void SaveShellLink(const std::string&, const std::string&, const std::string& link_file) override {
    if (!fails) port::File::Create(link_file).Close();
  }
  bool fails = false;
};

class Folders : public ShellFolders {
 public:
  std::string ProgramsFolder() override { return programs; }
  std::string DesktopFolder() override { return desktop; }
  std::string WindowsDirectory() override { return windows; }
  std::string programs;
  std::string desktop;
  std::string windows;
};

// A medium, the computer's folders and a log, each in a folder of its own.
struct Computer {
  test::TempDir medium;
  test::TempDir disk;
  test::TempDir logs;
  SetupLog log{logs.Path() + "setup.log", [] { return LogTime{2024, 3, 9, 7, 5, 0}; }};
  RunReport report{log};
  SetupState state{medium.Path() + "Setup.exe"};
  PortableProfileWriter profile;
  Registry registry{report};
  Shortcuts shortcuts;
  Folders folders;
  UnattendedInstallation request;
  std::string dest = disk.Path() + "Ziel\\";
  std::string programs = disk.Path() + "Programme";

  SetupConfiguration config = test::SampleProduct();

  explicit Computer(const std::vector<MediumFile>& files, std::int64_t first_volume_size = 0) {
    test::WriteMedium(medium, files, first_volume_size);
    medium.Write("Setup.inf", medium.Read("Setup.inf") + "1=Beispiel\\Liesmich.lnk,a.txt\r\n");
    folders.programs = programs;
    folders.desktop = disk.Path() + "Desktop";
    folders.windows = disk.Path() + "WINDOWS";
    request.requested_destination = dest;
    config.RebootSystem = "0";
  }

  RunOutcome Install() {
    state.Configure(config);
    const RunOutcome outcome =
        InstallUnattended(state, request, {profile, registry, shortcuts, folders}, report);
    LogEnd(log, outcome);
    return outcome;
  }

  // An interactive run into dest, its page played by host.
  InstallationResult InstallWith(InstallationHost& host) {
    state.Configure(config);
    state.SetDestinationDirectory(dest);
    const InstallationTables tables = LoadInstallationTables(ProfileFile::Load(medium.Path() + "Setup.inf"));
    return RunLoggedInstallation(state, tables, host, {profile, registry, shortcuts, folders}, report);
  }

  // The log's lines without their time.
  Lines Log() const {
    Lines lines;
    std::istringstream text(logs.Read("setup.log"));
    for (std::string line; std::getline(text, line);) lines.push_back(line.substr(20, line.size() - 21));
    return lines;
  }
  // Whether a line starts so: a message's detail may follow.
  bool Logged(const std::string& start) const {
    const Lines lines = Log();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.starts_with(start); });
  }
};

const std::vector<MediumFile> kFiles = {{"a.txt", "a"}, {"sub\\b.bin", test::RandomBytes(40000, 7)}};

TEST(InstallUnattended, ACompleteRunAndItsLog) {
  Computer computer(kFiles);
  LogStart(computer.log, "\"C:\\Medium\\Setup.exe\" /S /D=C:\\Ziel /LOG=C:\\setup.log");
  LogProduct(computer.log, computer.config);
  EXPECT_EQ(computer.Install(), RunOutcome::kInstalled);

  const std::string& dest = computer.dest;
  EXPECT_EQ(computer.Log(),
            (Lines{
                "Start: \"C:\\Medium\\Setup.exe\" /S /D=C:\\Ziel /LOG=C:\\setup.log",
                "Produkt: Beispiel Textwerk 2.0 (Eintrag BeispielTextwerk2.0)",
                "Zielverzeichnis: " + dest,
                "Datei: " + dest + "a.txt",
                "Datei: " + dest + "sub\\b.bin",
                "Setup aktualisiert Ihr System...",
                "Verknüpfung: " + computer.programs + "\\Beispiel\\Liesmich.lnk -> " + dest + "a.txt",
                "Registrierung: HKEY_LOCAL_MACHINE\\Software\\Beispiel\\Textwerk\\2.0, Ort = " + dest,
                "Deinstallationseintrag: BeispielTextwerk2.0, DisplayName = Beispiel Textwerk 2.0, "
                "UninstallString = " +
                    dest + "Setup\\LAUNCHER.EXE",
                "Ergebnis: Installation abgeschlossen",
                "Ende: Exitcode 0",
            }));
  EXPECT_EQ(test::ReadFileAt(dest + "sub\\b.bin"), kFiles[1].content);
  EXPECT_EQ(ProfileFile::Load(dest + "Setup\\Setup.ini").ReadString("General", "Directory", ""), dest);
  EXPECT_EQ(computer.state.GetRunState(), RunState::kFinished);
}

// No finish dialog and no restart: where the dialog would offer one, the
// outcome says so. What went wrong on the way without stopping the run
// makes it a failure all the same; a missing shortcut only a warning.
TEST(InstallUnattended, FinishedRuns) {
  const struct {
    const char* name;
    const char* reboot;
    bool registry_fails;
    bool shortcuts_fail;
    RunOutcome outcome;
    const char* logged;
  } kCases[] = {
      {"restart offered", "1", false, false, RunOutcome::kInstalledRestartNeeded, "Ende: Exitcode 3010"},
      {"restart only for \"1\"", "ja", false, false, RunOutcome::kInstalled, "Ende: Exitcode 0"},
      {"registry refused", "1", true, false, RunOutcome::kInstalledWithErrors,
       "Fehler: Fehler beim Zugriff auf die Systemregistrierung aufgetreten. (BeispielTextwerk2.0)"},
      {"no shortcut", "0", false, true, RunOutcome::kInstalled, "Warnung: Die Verknüpfung "},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Computer computer(kFiles);
    computer.config.RebootSystem = c.reboot;
    computer.registry.fails = c.registry_fails;
    computer.shortcuts.fails = c.shortcuts_fail;
    EXPECT_EQ(computer.Install(), c.outcome);
    EXPECT_TRUE(computer.Logged(c.logged)) << c.logged;
  }
}

// Every message that would stop an interactive run stops this one, with
// its line in the log and the outcome that names it. Nobody is there to
// change a diskette, so the prompt for one is a failure, not a wait.
TEST(InstallUnattended, EachFailureHasItsOutcomeAndItsLine) {
  const struct {
    const char* name;
    std::function<void(Computer&)> arrange;
    RunOutcome outcome;
    std::function<std::string(const Computer&)> line;
  } kCases[] = {
      {"no setup data", [](Computer& c) { fs::remove(c.medium.Native() / "Setup.stp"); },
       RunOutcome::kNoSetupData,
       [](const Computer&) {
         return "Fehler: Der Setup-Datensatz kann nicht gefunden werden, die Installation wird abgebrochen.";
       }},
      {"setup data cut short", [](Computer& c) { fs::resize_file(c.medium.Native() / "Setup.stp", 20000); },
       RunOutcome::kDamagedFile,
       [](const Computer& c) {
         return "Fehler: Der Setup-Datensatz " + c.medium.Path() + "Setup.stp ist unvollständig";
       }},
      {"record not writable", [](Computer& c) { c.disk.Write("Ziel/Setup", "a file"); },
       RunOutcome::kUnwritableRecord,
       [](const Computer& c) { return "Fehler: Kann nicht nach " + c.dest + "Setup\\Setup.ini schreiben"; }},
      {"Windows NT missing", [](Computer& c) { c.request.windows_nt_missing = true; },
       RunOutcome::kWindowsNtRequired,
       [](const Computer&) { return std::string("Fehler: ") + kWindowsNtRequiredMessage; }},
      {"destination below a file",
       [](Computer& c) {
         c.disk.Write("Datei", "");
         c.request.requested_destination = c.disk.Path() + "Datei\\Ziel\\";
       },
       RunOutcome::kUncreatableDestination,
       [](const Computer& c) {
         return "Fehler: Das Verzeichnis " + c.disk.Path() +
                "Datei\\Ziel\\ konnte nicht angelegt werden, die Installation wird abgebrochen";
       }},
      {"no desktop folder for a desktop file", [](Computer& c) { c.folders.desktop.clear(); },
       RunOutcome::kInstallationFailed,
       [](const Computer&) { return "Fehler: Der Desktop-Ordner ist nicht bekannt (<desktop>\\c.txt)"; }},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Computer computer({kFiles[0], kFiles[1], {"<desktop>\\c.txt", "c"}});
    c.arrange(computer);
    EXPECT_EQ(computer.Install(), c.outcome);
    EXPECT_TRUE(computer.Logged(c.line(computer))) << c.line(computer);
    EXPECT_TRUE(computer.Logged("Ergebnis: " + OutcomeText(c.outcome)));
    EXPECT_FALSE(computer.Logged("Registrierung: "));
    EXPECT_NE(computer.state.GetRunState(), RunState::kFinished);
  }
}

// The sample of a failed run: the second diskette is missing.
TEST(InstallUnattended, AMissingDisketteEndsTheRunAtOnce) {
  Computer computer({{"a.txt", "a"}, {"b.bin", test::RandomBytes(3000, 9)}}, 1000);
  fs::remove(computer.medium.Native() / "Setup2.stp");
  EXPECT_EQ(computer.Install(), RunOutcome::kMissingVolume);
  EXPECT_EQ(
      computer.Log(),
      (Lines{
          "Zielverzeichnis: " + computer.dest,
          "Datei: " + computer.dest + "a.txt",
          "Diskette wechseln: Legen Sie die Installationsdiskette 2 in das Laufwerk " +
              computer.medium.Path() + " ein.",
          "Fehler: Die Installationsdiskette 2 wurde nicht eingelegt, die Installation wird abgebrochen",
          "Ergebnis: Installation fehlgeschlagen: Installationsdiskette fehlt",
          "Ende: Exitcode 1603",
      }));
  EXPECT_FALSE(fs::exists(computer.disk.Native() / "Ziel" / "b.bin"));
}

// An interactive run with /LOG=, cancelled by the user during the second
// of three files: its log ends with the file before.
TEST(RunLoggedInstallation, ACancelledRunAndItsLog) {
  Computer computer({kFiles[0], kFiles[1], {"c.txt", "c"}});
  test::RecordingHost page;
  page.on_advance = [&page] { page.cancel_confirmed = page.shown.size() == 2; };
  const InstallationResult result = computer.InstallWith(page);
  EXPECT_EQ(result.outcome, RunOutcome::kInstallationCancelled);
  EXPECT_FALSE(result.error);
  LogEnd(computer.log, result.outcome);
  EXPECT_EQ(computer.Log(), (Lines{
                                "Datei: " + computer.dest + "a.txt",
                                "Ergebnis: Installation abgebrochen",
                                "Ende: Exitcode 1602",
                            }));
}

// The page shows the bare number and goes on; the log says what it means,
// and the run counts as failed. The error that ends a run is handed back
// for the page's error display.
TEST(RunLoggedInstallation, ErrorsThePageShowsItself) {
  Computer computer(kFiles);
  test::RecordingHost page;
  LoggedInstallationHost host(page, computer.report);
  host.ShowTarget(computer.dest + "a.txt", 0);
  host.ReportErrorNumber(5);
  EXPECT_EQ(page.error_numbers, std::vector<int>{5});
  EXPECT_EQ(computer.report.Errors(), 1);
  EXPECT_EQ(computer.Log(),
            Lines{"Fehler: Dateizugriff verweigert (Fehlernummer 5, " + computer.dest + "a.txt)"});

  fs::resize_file(computer.medium.Native() / "Setup.stp", 20000);
  const InstallationResult result = computer.InstallWith(page);
  EXPECT_EQ(result.outcome, RunOutcome::kDamagedFile);
  ASSERT_TRUE(result.error);
  EXPECT_THROW(std::rethrow_exception(result.error), Error);
}

TEST(ChooseDestination, TheInstalledDirectoryThenTheRequestedThenTheProposal) {
  SetupConfiguration config;
  config.Organisation = "Beispiel";
  config.Product = "Textwerk";
  const struct {
    const char* name;
    const char* def_directory;
    const char* requested;
    const char* installed;
    DestinationChoice choice;
  } kCases[] = {
      {"the proposal", "", "", "", {"C:\\Programme\\Beispiel Textwerk\\", false, "", ""}},
      {"DefDirectory", "D:\\Apps/Textwerk", "", "", {"D:\\Apps\\Textwerk\\", false, "", ""}},
      {"requested", "D:\\Apps", "E:\\Ziel\\", "", {"E:\\Ziel\\", false, "", ""}},
      {"installed", "D:\\Apps", "", "F:\\Alt\\", {"F:\\Alt\\", true, "", ""}},
      {"installed and requested alike", "", "f:\\alt\\", "F:\\Alt\\", {"F:\\Alt\\", true, "", ""}},
      {"installed elsewhere",
       "",
       "E:\\Ziel\\",
       "F:\\Alt\\",
       {"F:\\Alt\\", true,
        "Das Produkt ist in F:\\Alt\\ installiert und wird dort neu installiert, nicht in E:\\Ziel\\", ""}},
      {"a relative DefDirectory",
       "Textwerk",
       "",
       "",
       {"", false, "", "Das Zielverzeichnis Textwerk ist kein vollständiger Pfad mit Laufwerk"}},
      {"an unusable installed directory",
       "",
       "E:\\Ziel\\",
       "\\Alt",
       {"", true, "", "Das Zielverzeichnis \\Alt ist kein vollständiger Pfad mit Laufwerk"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    config.DefDirectory = c.def_directory;
    const DestinationChoice choice = ChooseDestination(config, c.requested, c.installed);
    EXPECT_EQ(choice.directory, c.choice.directory);
    EXPECT_EQ(choice.reinstall, c.choice.reinstall);
    EXPECT_EQ(choice.warning, c.choice.warning);
    EXPECT_EQ(choice.error, c.choice.error);
  }
}

}  // namespace
}  // namespace stp
