// The installation run as the page and Setup.exe /S drive it: the record,
// the system's traces, the log and the outcome.

#include "engine/installation_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>

#include "engine/logged_installation.h"
#include "support/fake_system.h"
#include "support/medium.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "support/test_data.h"
#include "unattended/unattended_installation.h"

namespace stp {
namespace {

namespace fs = std::filesystem;
using test::MediumFile;
using Lines = std::vector<std::string>;

const std::vector<MediumFile> kFiles = {{"a.txt", "a"}, {"sub\\b.bin", test::RandomBytes(40000, 7)}};

// A medium, the computer's folders and a log, each in a folder of its own.
struct Computer {
  test::TempDir medium, disk, logs;
  test::RecordingHost page;
  SetupLog log{logs.Path() + "setup.log", [] { return LogTime{2024, 3, 9, 7, 5, 0}; }};
  RunReport report{log};
  test::FakeSystem system{page.events, report};
  SetupState state{medium.Path() + "Setup.exe"};
  SetupConfiguration config = test::SampleProduct();
  UnattendedInstallation request;
  std::string dest = disk.Path() + "Ziel\\";
  std::string programs = disk.Path() + "Programme";

  // links: the [Links] lines of Setup.inf, "name,target".
  explicit Computer(const std::vector<MediumFile>& files,
                    const Lines& links = {"Beispiel\\Liesmich.lnk,a.txt"},
                    std::int64_t first_volume_size = 0) {
    if (files.empty()) {
      medium.Write("Setup.inf", "[General]\r\nNextOffset=0\r\n[Files]\r\n[Links]\r\n");
      medium.Write("Setup.stp", "");
    } else {
      test::WriteMedium(medium, files, first_volume_size);
    }
    std::string entries;  // [Links] is the last section
    for (std::size_t i = 0; i < links.size(); ++i) entries += std::to_string(i + 1) + "=" + links[i] + "\r\n";
    medium.Write("Setup.inf", medium.Read("Setup.inf") + entries);
    system.programs = programs;
    system.desktop = disk.Path() + "Desktop";
    system.windows = disk.Path() + "WINDOWS";
    request.requested_destination = dest;
    config.RebootSystem = "0";
  }

  InstallationTables Tables() const {
    return LoadInstallationTables(ProfileFile::Load(medium.Path() + "Setup.inf"));
  }
  InstallationRun::Outcome Run() {
    state.Configure(config);
    state.SetDestinationDirectory(dest);
    return InstallationRun(state, Tables(), page, system.Services()).Run();
  }
  InstallationResult RunLogged() {
    state.Configure(config);
    state.SetDestinationDirectory(dest);
    return RunLoggedInstallation(state, Tables(), page, system.Services(), report);
  }
  RunOutcome Install() {
    state.Configure(config);
    const RunOutcome outcome = InstallUnattended(state, request, system.Services(), report);
    LogEnd(log, outcome);
    return outcome;
  }

  std::string Recorded(const char* section, const std::string& key) const {
    return ProfileFile::Load(dest + "Setup\\Setup.ini").ReadString(section, key, "<none>");
  }
  // The log's lines without their time.
  Lines Log() const { return test::LogLines(logs.Read("setup.log")); }
  // Whether a line starts so: a message's detail may follow.
  bool Logged(const std::string& start) const {
    const Lines lines = Log();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.starts_with(start); });
  }

  static Lines Header() {
    return {"[General] Setup.exe", "[General] Organisation", "[General] Product", "[General] Version",
            "[General] EVersion"};
  }
  Lines Trailer() const {
    return {"registry Software\\Beispiel\\Textwerk\\" + config.EVersion + " Ort=" + dest,
            "uninstall BeispielTextwerk2.0|Beispiel Textwerk 2.0|" + dest + "Setup\\LAUNCHER.EXE",
            "[General] Directory", "finish dialog"};
  }
};

Lines Joined(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The record is never emptied: keys of an earlier one beyond the new counts
// stay.
TEST(InstallationRun, WritesTheRecordAndTheTracesInOrder) {
  Computer pc({{"a.txt", "a"}, {"sub\\b.txt", "b"}, {"<desktop>\\c.txt", "c"}},
              {"Textwerk\\Liesmich.lnk,a.txt", "Lies b.lnk,sub\\b.txt"});
  pc.config.EVersion = "2.0a";
  pc.disk.Write("Ziel/Setup/Setup.ini",
                "[General]\r\nDirectory=D:\\Alt\\\r\n[InstalledFiles]\r\n1=D:\\Alt\\1\r\n4=D:\\Alt\\4\r\n");
  EXPECT_EQ(pc.Run(), InstallationRun::Outcome::kFinished);
  const std::string& dest = pc.dest;
  EXPECT_EQ(pc.page.events,
            Joined({Computer::Header(),
                    {"[InstalledFiles] 1", "[InstalledFiles] 2", "[InstalledFiles] 3", "panel",
                     "shortcut " + pc.programs + "\\Textwerk\\Liesmich.lnk", "[CreatedLinks] 1",
                     "shortcut " + pc.programs + "\\Lies b.lnk", "[CreatedLinks] 2"},
                    pc.Trailer()}));
  const struct {
    const char* section;
    const char* key;
    std::string value;
  } kRecord[] = {
      {"General", "Setup.exe", pc.medium.Path() + "Setup.exe"},
      {"General", "EVersion", "2.0a"},
      {"InstalledFiles", "2", dest + "sub\\b.txt"},
      {"InstalledFiles", "3", pc.disk.Path() + "Desktop\\c.txt"},
      {"InstalledFiles", "4", "D:\\Alt\\4"},
      {"CreatedLinks", "2", pc.programs + "\\Lies b.lnk"},
      {"General", "Directory", dest},
  };
  for (const auto& r : kRecord) EXPECT_EQ(pc.Recorded(r.section, r.key), r.value) << r.key;
  using Link = std::pair<std::string, std::string>;
  EXPECT_EQ(pc.system.links, (std::vector<Link>{{dest + "a.txt", dest.substr(0, dest.size() - 1)},
                                                {dest + "sub\\b.txt", dest + "sub"}}));
  EXPECT_EQ(pc.state.GetRunState(), RunState::kFinished);
}

// A cancel is seen at the next read request and before the next file. One
// during the second of three files stops the run there; one while the last
// file's final block is written leaves that file out, yet everything after
// the files still happens, since no entry is left to stop before.
TEST(InstallationRun, ACancelStopsBeforeTheNextFile) {
  const struct {
    const char* name;
    std::size_t cancelled_in;  // the file whose first decoded block brings the cancel
    RunOutcome outcome;
    Lines files;
  } kCases[] = {
      {"during the second of three files", 2, RunOutcome::kInstallationCancelled, {"[InstalledFiles] 1"}},
      {"during the last file's final block",
       3,
       RunOutcome::kInstalled,
       {"[InstalledFiles] 1", "[InstalledFiles] 2"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Computer pc({kFiles[0], kFiles[1], {"c.txt", "c"}}, {"A.lnk,a.txt"});
    pc.page.on_advance = [&] { pc.page.cancel_confirmed = pc.page.shown.size() == c.cancelled_in; };
    const InstallationResult result = pc.RunLogged();
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_FALSE(result.error);
    const bool finished = c.outcome == RunOutcome::kInstalled;
    const Lines after_files = {"panel", "shortcut " + pc.programs + "\\A.lnk", "[CreatedLinks] 1"};
    EXPECT_EQ(pc.page.events, finished ? Joined({Computer::Header(), c.files, after_files, pc.Trailer()})
                                       : Joined({Computer::Header(), c.files}));
    EXPECT_EQ(pc.Recorded("InstalledFiles", std::to_string(c.files.size() + 1)), "<none>");
    EXPECT_FALSE(fs::exists(pc.disk.Native() / "Ziel" / "c.txt"));
    EXPECT_EQ(pc.Logged("Datei: " + pc.dest + "sub\\b.bin"), finished);
    EXPECT_EQ(pc.state.GetRunState() == RunState::kFinished, finished);
  }
}

TEST(InstallUnattended, ACompleteRunAndItsLog) {
  Computer pc(kFiles);
  LogStart(pc.log, "\"C:\\Medium\\Setup.exe\" /S /D=C:\\Ziel /LOG=C:\\setup.log");
  LogProduct(pc.log, pc.config);
  EXPECT_EQ(pc.Install(), RunOutcome::kInstalled);
  const std::string& dest = pc.dest;
  EXPECT_EQ(pc.Log(),
            (Lines{
                "Start: \"C:\\Medium\\Setup.exe\" /S /D=C:\\Ziel /LOG=C:\\setup.log",
                "Produkt: Beispiel Textwerk 2.0 (Eintrag BeispielTextwerk2.0)",
                "Zielverzeichnis: " + dest,
                "Datei: " + dest + "a.txt",
                "Datei: " + dest + "sub\\b.bin",
                "Setup aktualisiert Ihr System...",
                "Verknüpfung: " + pc.programs + "\\Beispiel\\Liesmich.lnk -> " + dest + "a.txt",
                "Registrierung: HKEY_LOCAL_MACHINE\\Software\\Beispiel\\Textwerk\\2.0, Ort = " + dest,
                "Deinstallationseintrag: BeispielTextwerk2.0, DisplayName = Beispiel Textwerk 2.0, "
                "UninstallString = " +
                    dest + "Setup\\LAUNCHER.EXE",
                "Ergebnis: Installation abgeschlossen",
                "Ende: Exitcode 0",
            }));
  EXPECT_EQ(test::ReadFileAt(dest + "sub\\b.bin"), kFiles[1].content);
  EXPECT_EQ(pc.state.GetRunState(), RunState::kFinished);
}

// No finish dialog and no restart: where the dialog would offer one, the
// outcome says so. What the system refused without stopping the run makes
// it a failure all the same; a missing shortcut is only a warning, and the
// record lists it. Without a Programs folder no shortcut is made or listed.
TEST(InstallUnattended, FinishedRuns) {
  const struct {
    const char* name;
    const char* reboot;
    std::function<void(Computer&)> arrange;
    RunOutcome outcome;
    const char* logged;
    bool link_listed;
  } kCases[] = {
      {"restart offered", "1", [](Computer&) {}, RunOutcome::kInstalledRestartNeeded, "Ende: Exitcode 3010",
       true},
      {"restart only for \"1\"", "ja", [](Computer&) {}, RunOutcome::kInstalled, "Ende: Exitcode 0", true},
      {"registry refused", "1", [](Computer& c) { c.system.registry_fails = true; },
       RunOutcome::kInstalledWithErrors,
       "Fehler: Fehler beim Zugriff auf die Systemregistrierung aufgetreten. (BeispielTextwerk2.0)", true},
      {"no shortcut", "0", [](Computer& c) { c.system.shortcuts_fail = true; }, RunOutcome::kInstalled,
       "Warnung: Die Verknüpfung ", true},
      {"no Programs folder", "0", [](Computer& c) { c.system.programs.clear(); }, RunOutcome::kInstalled,
       "Ergebnis: Installation abgeschlossen", false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Computer pc(kFiles);
    pc.config.RebootSystem = c.reboot;
    c.arrange(pc);
    EXPECT_EQ(pc.Install(), c.outcome);
    EXPECT_TRUE(pc.Logged(c.logged)) << c.logged;
    EXPECT_EQ(pc.Recorded("CreatedLinks", "1"),
              c.link_listed ? pc.programs + "\\Beispiel\\Liesmich.lnk" : "<none>");
    EXPECT_EQ(pc.Recorded("General", "Directory"), pc.dest);
  }
}

// Every message that would stop an interactive run stops this one, with its
// line in the log ("{medium}", "{disk}" and "{dest}" stand for the folders)
// and the outcome that names it; the record keeps what was written up to
// then. Nobody is there to change a diskette, so the prompt for one is a
// failure, not a wait.
TEST(InstallUnattended, EachFailureHasItsOutcomeAndItsLine) {
  const struct {
    std::function<void(Computer&)> arrange;
    RunOutcome outcome;
    std::string line;
    bool a_recorded = false;
    std::int64_t first_volume_size = 0;
  } kCases[] = {
      {[](Computer& c) { fs::remove(c.medium.Native() / "Setup.stp"); }, RunOutcome::kNoSetupData,
       "Fehler: Der Setup-Datensatz kann nicht gefunden werden, die Installation wird abgebrochen."},
      {[](Computer& c) { fs::resize_file(c.medium.Native() / "Setup.stp", 20000); }, RunOutcome::kDamagedFile,
       "Fehler: Der Setup-Datensatz {medium}Setup.stp ist unvollständig", true},
      {[](Computer& c) { fs::remove(c.medium.Native() / "Setup2.stp"); }, RunOutcome::kMissingVolume,
       "Diskette wechseln: Legen Sie die Installationsdiskette 2 in das Laufwerk {medium} ein.", true, 1000},
      {[](Computer& c) { c.disk.Write("Ziel/Setup", "a file"); }, RunOutcome::kUnwritableRecord,
       "Fehler: Kann nicht nach {dest}Setup\\Setup.ini schreiben"},
      {[](Computer& c) { c.request.windows_nt_missing = true; }, RunOutcome::kWindowsNtRequired,
       std::string("Fehler: ") + kWindowsNtRequiredMessage},
      {[](Computer& c) {
         c.disk.Write("Datei", "");
         c.request.requested_destination = c.disk.Path() + "Datei\\Ziel\\";
       },
       RunOutcome::kUncreatableDestination,
       "Fehler: Das Verzeichnis {disk}Datei\\Ziel\\ konnte nicht angelegt werden, die Installation wird "
       "abgebrochen"},
      {[](Computer& c) { c.system.desktop.clear(); }, RunOutcome::kInstallationFailed,
       "Fehler: Der Desktop-Ordner ist nicht bekannt (<desktop>\\c.txt)"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    Computer pc({kFiles[0], kFiles[1], {"<desktop>\\c.txt", "c"}}, {}, c.first_volume_size);
    c.arrange(pc);
    EXPECT_EQ(pc.Install(), c.outcome);
    std::string line = c.line;
    for (const auto& [from, to] :
         {std::pair{"{medium}", pc.medium.Path()}, {"{disk}", pc.disk.Path()}, {"{dest}", pc.dest}}) {
      if (const auto at = line.find(from); at != std::string::npos) line.replace(at, std::strlen(from), to);
    }
    EXPECT_TRUE(pc.Logged(line)) << ::testing::PrintToString(pc.Log());
    EXPECT_TRUE(pc.Logged("Ergebnis: " + OutcomeText(c.outcome)));
    EXPECT_FALSE(pc.Logged("Registrierung: "));
    EXPECT_NE(pc.state.GetRunState(), RunState::kFinished);
    EXPECT_FALSE(fs::exists(pc.disk.Native() / "Ziel" / "sub" / "b.bin"));
    EXPECT_EQ(pc.Recorded("InstalledFiles", "1"), c.a_recorded ? pc.dest + "a.txt" : "<none>");
    EXPECT_EQ(pc.Recorded("General", "Directory"), "<none>");
  }
}

// The page shows the bare number and goes on; the log says what it means,
// and the run counts as failed. The error that ends a run is handed back
// for the page's error display.
TEST(RunLoggedInstallation, ErrorsThePageShowsItself) {
  Computer pc(kFiles);
  LoggedInstallationHost host(pc.page, pc.report);
  host.ShowTarget(pc.dest + "a.txt", 0);
  host.ReportErrorNumber(5);
  EXPECT_EQ(pc.page.error_numbers, std::vector<int>{5});
  EXPECT_EQ(pc.report.Errors(), 1);
  EXPECT_EQ(pc.Log(), Lines{"Fehler: Dateizugriff verweigert (Fehlernummer 5, " + pc.dest + "a.txt)"});

  fs::resize_file(pc.medium.Native() / "Setup.stp", 20000);
  const InstallationResult result = pc.RunLogged();
  EXPECT_EQ(result.outcome, RunOutcome::kDamagedFile);
  ASSERT_TRUE(result.error);
  EXPECT_THROW(std::rethrow_exception(result.error), Error);
}

TEST(ChooseDestination, TheInstalledDirectoryThenTheRequestedThenTheProposal) {
  SetupConfiguration config = test::SampleProduct();
  const char* const kRelative = "Das Zielverzeichnis Textwerk ist kein vollständiger Pfad mit Laufwerk";
  const struct {
    const char* def_directory;
    const char* requested;
    const char* installed;
    DestinationChoice choice;
  } kCases[] = {
      {"", "", "", {"C:\\Programme\\Beispiel Textwerk\\", false, "", ""}},
      {"D:\\Apps/Textwerk", "", "", {"D:\\Apps\\Textwerk\\", false, "", ""}},
      {"D:\\Apps", "E:\\Ziel\\", "", {"E:\\Ziel\\", false, "", ""}},
      {"D:\\Apps", "", "F:\\Alt\\", {"F:\\Alt\\", true, "", ""}},
      {"", "f:\\alt\\", "F:\\Alt\\", {"F:\\Alt\\", true, "", ""}},
      {"",
       "E:\\Ziel\\",
       "F:\\Alt\\",
       {"F:\\Alt\\", true,
        "Das Produkt ist in F:\\Alt\\ installiert und wird dort neu installiert, nicht in E:\\Ziel\\", ""}},
      {"Textwerk", "", "", {"", false, "", kRelative}},
      {"",
       "E:\\Ziel\\",
       "\\Alt",
       {"", true, "", "Das Zielverzeichnis \\Alt ist kein vollständiger Pfad mit Laufwerk"}},
  };
  for (const auto& c : kCases) {
    config.DefDirectory = c.def_directory;
    const DestinationChoice choice = ChooseDestination(config, c.requested, c.installed);
    const std::string row = std::string(c.def_directory) + "|" + c.requested + "|" + c.installed;
    EXPECT_EQ(choice.directory, c.choice.directory) << row;
    EXPECT_EQ(choice.reinstall, c.choice.reinstall) << row;
    EXPECT_EQ(choice.warning, c.choice.warning) << row;
    EXPECT_EQ(choice.error, c.choice.error) << row;
  }
}

TEST(WorkingDirectory, IsTheTargetsFolderAndADriveRootKeepsItsBackslash) {
  const std::pair<const char*, const char*> kCases[] = {
      {"C:\\Programme\\Textwerk\\textwerk.exe", "C:\\Programme\\Textwerk"},
      {"C:\\textwerk.exe", "C:\\"},
      {"C:textwerk.exe", "C:"},
      {"\\\\server\\share\\t.exe", "\\\\server\\share"},
      {"textwerk.exe", ""},
  };
  for (const auto& [target, directory] : kCases) EXPECT_EQ(WorkingDirectory(target), directory) << target;
}

}  // namespace
}  // namespace stp
