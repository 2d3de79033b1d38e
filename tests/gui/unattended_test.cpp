// Setup.exe and LAUNCHER.EXE without anyone at the screen, as deployment
// tools start them: no window at any time, the exit code and the log tell
// what happened.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "maintenance.h"

namespace {

using scenario::InstalledProduct;

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
    {"LAUNCHER.EXE /S",
     [](const InstalledProduct& product, const std::string& log) {
       return product.Launcher() + " /S /LOG=" + log;
     }},
};

TEST(Unattended, InstallsAndRemovesWithoutAWindow) {
  int row = 0;
  for (const Removal& removal : kRemovals) {
    SCOPED_TRACE(removal.name);
    InstalledProduct product("unattended-" + std::to_string(++row), {"Still", "Werk " + std::to_string(row), "1.0"});
    const std::string log = product.Desktop() + "\\Setup Protokoll.log";
    const Ending installed = RunWatched(Quoted(product.MediumDirectory() + "Setup.exe") + " /S /D=" +
                                        product.Destination() + " \"/LOG=" + log + "\"");
    EXPECT_EQ(installed.exit_code, 0u);
    EXPECT_FALSE(installed.window_seen);
    product.ExpectInstalled();
    ExpectLogLines(LogText(log), {"Start: ", "Produkt: " + product.Name().Title(),
                                  "Zielverzeichnis: " + product.Destination(),
                                  "Datei: " + product.Destination() + "Liesmich.txt", "Verknüpfung: ",
                                  "Registrierung: ", "Deinstallationseintrag: " + product.Name().EntryName(),
                                  "Ende: Exitcode 0\r\n"});

    const std::string removal_log = product.Desktop() + "\\Entfernen.log";
    const Ending removed = RunWatched(removal.command(product, removal_log));
    EXPECT_EQ(removed.exit_code, 0u);
    EXPECT_FALSE(removed.window_seen);
    product.ExpectRemoved();
    ExpectLogLines(LogText(removal_log), {"Deinstallation aus: " + product.Destination(), "Ende: Exitcode 0"});
  }
}

// What ends a silent run early, each with its exit code and its line in the log.
TEST(Unattended, FailuresEndWithTheirExitCode) {
  InstalledProduct product("unattended-failures", {"Fehl", "Werk", "1.0"});
  const std::string setup = Quoted(product.MediumDirectory() + "Setup.exe");
  const std::string log = product.Desktop() + "\\Fehler.log";
  const struct {
    const char* name;
    std::string arguments;
    std::function<void()> spoil;
    DWORD exit_code;
    std::string line;
  } kCases[] = {
      {"an unknown switch", "/S /X", [] {}, 1639, "Unbekannter Schalter \"/X\""},
      {"an uncreatable destination", "/S /D=Q:\\Nirgends", [] {}, 1603,
       "Das Verzeichnis Q:\\Nirgends\\ konnte nicht angelegt werden"},
      {"no setup data", "/S",
       [&] { std::filesystem::remove(product.MediumDirectory() + "Setup.stp"); }, 1603,
       "Der Setup-Datensatz kann nicht gefunden werden"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(log.c_str());
    c.spoil();
    const Ending ending = RunWatched(setup + " " + c.arguments + " /LOG=" + log);
    EXPECT_EQ(ending.exit_code, c.exit_code);
    EXPECT_FALSE(ending.window_seen);
    ExpectLogLines(LogText(log), {c.line, "Ende: Exitcode " + std::to_string(c.exit_code)});
    EXPECT_FALSE(product.IsListed());
  }
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
