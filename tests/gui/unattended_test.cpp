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

using scenario::Installed;
using scenario::InstalledProduct;
using scenario::ProductName;

BOOL CALLBACK CollectVisible(HWND window, LPARAM found) {
  if (IsWindowVisible(window)) reinterpret_cast<std::set<HWND>*>(found)->insert(window);
  return TRUE;
}

std::set<HWND> VisibleTopLevelWindows() {
  std::set<HWND> windows;
  EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

struct Ending {
  DWORD exit_code = STILL_ACTIVE;
  bool window_seen = false;
};

// Runs a command line to its end, looking all the while for a visible
// top-level window that was not there before, whichever process shows it.
Ending RunWatched(std::string command) {
  const std::set<HWND> before = VisibleTopLevelWindows();
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  Ending ending;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started)) {
    return ending;
  }
  CloseHandle(started.hThread);
  const DWORD deadline = GetTickCount() + scenario::kRunTimeoutMs;
  while (WaitForSingleObject(started.hProcess, 20) == WAIT_TIMEOUT && GetTickCount() < deadline) {
    for (HWND window : VisibleTopLevelWindows()) {
      if (!before.contains(window)) ending.window_seen = true;
    }
  }
  GetExitCodeProcess(started.hProcess, &ending.exit_code);
  CloseHandle(started.hProcess);
  return ending;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string LogText(const std::string& path) { return driver::FileContent(path).value_or(""); }

// Each expected line appears in the log, in this order.
void ExpectLogLines(const std::string& log, const std::vector<std::string>& lines) {
  std::size_t at = 0;
  for (const std::string& line : lines) {
    const std::size_t found = log.find(line, at);
    EXPECT_NE(found, std::string::npos) << line << "\n" << log;
    if (found != std::string::npos) at = found + line.size();
  }
}

struct Removal {
  const char* name;
  std::function<std::string(const InstalledProduct&, const std::string& log)> command;
};

const Removal kRemovals[] = {
    {"Setup.exe /u /S",
     [](const InstalledProduct& product, const std::string& log) {
       return Quoted(product.MediumDirectory() + "Setup.exe") + " /u /S /LOG=" + log;
     }},
    // As a deployment tool starts the uninstall entry: unquoted, blanks and all.
    {"LAUNCHER.EXE /S", [](const InstalledProduct& product,
                           const std::string& log) { return product.Launcher() + " /S /LOG=" + log; }},
};

TEST(Unattended, InstallsAndRemovesWithoutAWindow) {
  int row = 0;
  for (const Removal& removal : kRemovals) {
    SCOPED_TRACE(removal.name);
    InstalledProduct product("unattended-" + std::to_string(++row),
                             {"Still", "Werk " + std::to_string(row), "1.0"});
    const std::string log = product.Desktop() + "\\Setup Protokoll.log";
    const Ending installed = RunWatched(Quoted(product.MediumDirectory() + "Setup.exe") +
                                        " /S /D=" + product.Destination() + " \"/LOG=" + log + "\"");
    EXPECT_EQ(installed.exit_code, 0u);
    EXPECT_FALSE(installed.window_seen);
    product.ExpectInstalled();
    ExpectLogLines(
        LogText(log),
        {"Start: ", "Produkt: " + product.Name().Title(), "Zielverzeichnis: " + product.Destination(),
         "Datei: " + product.Destination() + "Liesmich.txt", "Verknüpfung: ", "Registrierung: ",
         "Deinstallationseintrag: " + product.Name().EntryName(), "Ende: Exitcode 0\r\n"});

    const std::string removal_log = product.Desktop() + "\\Entfernen.log";
    const Ending removed = RunWatched(removal.command(product, removal_log));
    EXPECT_EQ(removed.exit_code, 0u);
    EXPECT_FALSE(removed.window_seen);
    product.ExpectRemoved();
    ExpectLogLines(LogText(removal_log),
                   {"Deinstallation aus: " + product.Destination(), "Ende: Exitcode 0"});
  }
}

// Diskette volumes below the medium: the large file begins in the first
// and ends in the second, and the last file lies in the second.
stptool::PackOptions TwoVolumes() {
  stptool::PackOptions options;
  options.first_volume_size = 200000;
  options.disk_folders = stptool::DiskFolders::kBelow;
  return options;
}

struct Failure {
  const char* name;
  ProductName product;
  stptool::PackOptions layout;
  std::string arguments;
  std::function<void(const driver::Medium&)> spoil;
  DWORD exit_code;
  // The message the log must hold, for this medium.
  std::function<std::string(const driver::Medium&)> line;
  // Files of SmallBigSmall that must not be in the destination.
  std::vector<std::string> not_installed;
};

// What ends a silent run early, each with its exit code and its line in the
// log; nobody is asked anything, and the product is not listed.
TEST(Unattended, FailuresEndWithTheirExitCode) {
  const auto fixed = [](std::string line) { return [line](const driver::Medium&) { return line; }; };
  const auto nothing = [](const driver::Medium&) {};
  const std::vector<std::string> all = {"klein.txt", "gross.bin", "danach.txt"};
  const Failure kCases[] = {
      {"an unknown switch",
       {"Schalter", "Werk", "1.0"},
       {},
       "/S /X",
       nothing,
       1639,
       fixed("Unbekannter Schalter \"/X\""),
       all},
      {"an uncreatable destination",
       {"Nirgends", "Werk", "1.0"},
       {},
       "/S /D=Q:\\Nirgends",
       nothing,
       1603,
       fixed("Das Verzeichnis Q:\\Nirgends\\ konnte nicht angelegt werden"),
       all},
      {"no setup data",
       {"Leer", "Werk", "1.0"},
       {},
       "/S",
       [](const driver::Medium& medium) { std::filesystem::remove(medium.SetupDirectory() + "Setup.stp"); },
       1603,
       fixed("Fehler: Der Setup-Datensatz kann nicht gefunden werden"),
       all},
      // Nobody can insert a diskette: the prompt is the end of the run.
      {"a missing volume",
       {"Diskette", "Werk", "1.0"},
       TwoVolumes(),
       "/S",
       [](const driver::Medium& medium) { std::filesystem::remove(medium.Root() + "Disk2\\Setup2.stp"); },
       1603,
       fixed("Fehler: Die Installationsdiskette 2 wurde nicht eingelegt, die Installation wird abgebrochen"),
       {"gross.bin", "danach.txt"}},
      {"a damaged file",
       {"Schaden", "Werk", "1.0"},
       {},
       "/S",
       scenario::DamageSecondFile,
       1603,
       [](const driver::Medium& medium) {
         return "Fehler: Die Daten der Datei C:\\Programme\\Schaden Werk\\gross.bin in " +
                medium.SetupDirectory() + "Setup.stp sind beschädigt, die Installation wird abgebrochen";
       },
       {"gross.bin", "danach.txt"}},
  };
  const std::vector<Installed> files = scenario::SmallBigSmall(400'000, 12);
  for (const Failure& c : kCases) {
    SCOPED_TRACE(c.name);
    const scenario::FreshProduct fresh(c.product);
    const driver::Medium medium(c.product.organisation, scenario::Description(c.product, false, files, {}),
                                scenario::SourceFiles(files), c.layout);
    c.spoil(medium);
    const std::string log = medium.Root() + "Fehler.log";
    const Ending ending =
        RunWatched(Quoted(medium.SetupDirectory() + "Setup.exe") + " " + c.arguments + " /LOG=" + log);
    EXPECT_EQ(ending.exit_code, c.exit_code);
    EXPECT_FALSE(ending.window_seen);
    ExpectLogLines(LogText(log), {c.line(medium), "Ende: Exitcode " + std::to_string(c.exit_code)});
    for (const std::string& file : c.not_installed) {
      EXPECT_FALSE(scenario::Exists(c.product.Destination() + file)) << file;
    }
    if (scenario::Exists(c.product.Destination())) {
      EXPECT_FALSE(scenario::HoldsUnfinishedFile(c.product.Destination()));
    }
    EXPECT_FALSE(scenario::KeyExists(std::string(scenario::kUninstallList) + c.product.EntryName()));
  }
}

// A running program of the session, to see that the session outlives a run:
// a command interpreter reading commands from a pipe that stays empty.
class SessionWitness {
 public:
  SessionWitness() {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE input = nullptr;
    if (!CreatePipe(&input, &writer_, &inherited, 0)) return;
    SetHandleInformation(writer_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    std::string command = "cmd.exe /q /k";
    CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                   &startup, &process_);
    CloseHandle(input);
  }
  ~SessionWitness() {
    // The end of its input ends it.
    CloseHandle(writer_);
    if (process_.hProcess && WaitForSingleObject(process_.hProcess, 5000) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 0);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  SessionWitness(const SessionWitness&) = delete;
  SessionWitness& operator=(const SessionWitness&) = delete;

  bool IsRunning() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
  }

 private:
  HANDLE writer_ = nullptr;
  PROCESS_INFORMATION process_{};
};

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

// Where the finish dialog would offer a restart, a silent run installs,
// restarts nothing and says so in its exit code.
TEST(Unattended, ARestartNeedingMediumEndsWith3010WithoutARestart) {
  const ProductName name{"Neustart", "Werk", "1.0"};
  const scenario::FreshProduct fresh(name);
  const std::vector<Installed> files = scenario::SmallBigSmall(50'000, 13);
  const driver::Medium medium("neustart", scenario::Description(name, true, files, {}),
                              scenario::SourceFiles(files));
  const SessionWitness witness;
  ASSERT_TRUE(witness.IsRunning());
  const std::set<DWORD> ending_sessions = ProcessesNamed("wineboot.exe");
  const std::string log = medium.Root() + "Neustart.log";
  const Ending ending = RunWatched(Quoted(medium.SetupDirectory() + "Setup.exe") + " /S /LOG=" + log);
  EXPECT_EQ(ending.exit_code, 3010u);
  EXPECT_FALSE(ending.window_seen);
  for (const Installed& file : files) {
    EXPECT_EQ(driver::FileContent(name.Destination() + file.target), file.content) << file.target;
  }
  EXPECT_TRUE(scenario::KeyExists(std::string(scenario::kUninstallList) + name.EntryName()));
  ExpectLogLines(LogText(log),
                 {"Ergebnis: Installation abgeschlossen, Neustart erforderlich", "Ende: Exitcode 3010\r\n"});
  // A restart request starts wineboot, which ends every program of the
  // session: either it is still at work, or the witness is gone.
  EXPECT_EQ(ProcessesNamed("wineboot.exe"), ending_sessions);
  EXPECT_TRUE(witness.IsRunning());
}

// /D= and /LOG= without /S: the destination page proposes the directory,
// and a cancelled run still leaves its log.
TEST(Unattended, AnInteractiveRunProposesTheDirectoryAndLogsItsCancel) {
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
  driver::ClickButton(page, "Abbrechen");
  HWND confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch");
  ASSERT_TRUE(confirmation);
  driver::ClickButton(confirmation, "Abbrechen");
  EXPECT_EQ(setup.WaitForExit(), 1602u);
  EXPECT_FALSE(scenario::Exists(destination));
  ExpectLogLines(LogText(log), {"Start: ", "/D=" + destination, "Produkt: " + name.Title(),
                                "Ergebnis: Installation abgebrochen", "Ende: Exitcode 1602\r\n"});
}

// A launcher that meets an error nobody expected under /S shows no box:
// the log and the exit code tell. A record too large to read is one.
TEST(Unattended, ALauncherErrorGoesToTheLog) {
  InstalledProduct product("unattended-error", {"Riesen", "Werk", "1.0"});
  const Ending installed = RunWatched(Quoted(product.MediumDirectory() + "Setup.exe") + " /S");
  ASSERT_EQ(installed.exit_code, 0u);
  HANDLE record = CreateFileA(product.Record().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(record, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size{};
  size.QuadPart = 3'000'000'000;
  EXPECT_TRUE(SetFilePointerEx(record, size, nullptr, FILE_BEGIN) && SetEndOfFile(record));
  CloseHandle(record);
  const std::string log = product.Desktop() + "\\Riesen.log";
  const Ending ending = RunWatched(product.Launcher() + " /S /LOG=" + log);
  EXPECT_EQ(ending.exit_code, 1603u);
  EXPECT_FALSE(ending.window_seen);
  ExpectLogLines(LogText(log),
                 {"Fehler: ", "Ergebnis: Deinstallation unvollständig", "Ende: Exitcode 1603\r\n"});
  EXPECT_TRUE(product.IsListed());
  DeleteFileA(product.Record().c_str());
}

// Beside a running Setup of the product, a silent one shows nothing and ends.
TEST(Unattended, LeavesTheProductToARunningSetup) {
  InstalledProduct product("unattended-second", {"Zweit", "Werk", "1.0"});
  driver::SetupProcess first(product.MediumDirectory());
  ASSERT_TRUE(first.Start());
  HWND welcome = driver::WaitForWindow(first.Id(), "TInfo");
  ASSERT_TRUE(welcome);
  const std::string log = product.Desktop() + "\\Zweit.log";
  const Ending second = RunWatched(Quoted(product.MediumDirectory() + "Setup.exe") + " /S /LOG=" + log);
  EXPECT_EQ(second.exit_code, static_cast<DWORD>(ERROR_INSTALL_ALREADY_RUNNING));
  EXPECT_FALSE(second.window_seen);
  ExpectLogLines(LogText(log), {"Ende: Exitcode 1618"});
  driver::ClickButton(welcome, "Abbrechen");
  HWND confirmation = driver::WaitForWindow(first.Id(), "TAbbruch");
  ASSERT_TRUE(confirmation);
  driver::ClickButton(confirmation, "Abbrechen");
  EXPECT_EQ(first.WaitForExit(), 1602u);
}

}  // namespace
