// LAUNCHER.EXE, as the system's list of installed software starts it after
// a real installation: it asks, hands the removal to a copy of itself in the
// temporary folder, removes everything the installation made, its own file
// included, reports, and leaves only the copy, which goes at the next restart.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "maintenance.h"

namespace {

using scenario::ExpectLogLines;
using scenario::InstalledProduct;
using scenario::Quoted;
using scenario::RunWatched;

// A visible window of any process: the launcher runs in processes the
// scenario does not start itself.
HWND WaitForAnyWindow(const std::string& class_name, const std::optional<std::string>& caption = {}) {
  HWND found = nullptr;
  driver::WaitFor([&] {
    for (found = FindWindowExA(nullptr, nullptr, class_name.c_str(), nullptr); found;
         found = FindWindowExA(nullptr, found, class_name.c_str(), nullptr)) {
      if (IsWindowVisible(found) && (!caption || driver::TextOf(found) == *caption)) return true;
    }
    return false;
  });
  return found;
}

std::optional<driver::MessageBoxText> WaitForAnyMessageBox(const std::string& caption) {
  HWND box = WaitForAnyWindow("TMessageForm", caption);
  if (!box) return std::nullopt;
  return driver::ReadMessageBox(box);
}

// The process that shows a window, opened to wait for its end.
struct WindowProcess {
  explicit WindowProcess(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, id);
  }
  ~WindowProcess() {
    if (handle) CloseHandle(handle);
  }
  std::string Image() const {
    char path[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    return QueryFullProcessImageNameA(handle, 0, path, &length) ? std::string(path, length) : std::string();
  }
  bool Ended() const { return WaitForSingleObject(handle, driver::kTimeoutMs) == WAIT_OBJECT_0; }
  HANDLE handle = nullptr;
};

// Starts a command line as the system's list does; the process handle, or null.
HANDLE Start(std::string command) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started)) {
    return nullptr;
  }
  CloseHandle(started.hThread);
  return started.hProcess;
}

DWORD ExitCodeOf(HANDLE process) {
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(process, driver::kTimeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
  CloseHandle(process);
  return code;
}

std::string TemporaryFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  return path;
}

// The names in the system's list of files to rename or delete at the next
// restart (MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT).
std::vector<std::string> NamesForRestart() {
  std::vector<char> data(65536);
  DWORD size = static_cast<DWORD>(data.size());
  std::vector<std::string> names;
  if (SHGetValueA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
                  "PendingFileRenameOperations", nullptr, data.data(), &size) == ERROR_SUCCESS) {
    for (std::size_t at = 0; at < size; at += names.back().size() + 1) names.emplace_back(data.data() + at);
  }
  return names;
}

// What Wine does at a restart: the files noted for deletion go.
void Restart() { ExitCodeOf(Start("wineboot.exe -r")); }

// As the system's list starts it. Beside a running Setup of the product the
// launcher asks nothing and ends: the two never remove or install the same
// product at once. An error under /S shows no box: the log and the exit code
// tell. "&Nein" (from the uninstall entry as written, unquoted, blanks and
// all) changes nothing and makes no copy; "&Ja" (from Wine's list) has a
// copy in the temporary folder remove the product and report.
TEST(Launcher, RemovesTheProductWithoutTheMedium) {
  InstalledProduct product("launcher", {"Liste", "Werk", "1.0"});
  ASSERT_NO_FATAL_FAILURE(product.Install());
  const std::string record_text = driver::FileContent(product.Record()).value_or("");
  {
    driver::SetupProcess setup(product.MediumDirectory());
    ASSERT_TRUE(setup.Start());
    ASSERT_TRUE(driver::WaitForWindow(setup.Id(), "TWartung"));
    const auto beside = RunWatched(Quoted(product.Launcher()));
    EXPECT_EQ(beside.exit_code, static_cast<DWORD>(ERROR_INSTALL_ALREADY_RUNNING));
    EXPECT_FALSE(beside.window_seen);
  }

  // A record too large to read.
  HANDLE record = CreateFileA(product.Record().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(record, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size{};
  size.QuadPart = 3'000'000'000;
  EXPECT_TRUE(SetFilePointerEx(record, size, nullptr, FILE_BEGIN) && SetEndOfFile(record));
  CloseHandle(record);
  const std::string log = product.Desktop() + "\\Riesen.log";
  const auto failed = RunWatched(product.Launcher() + " /S /LOG=" + log);
  EXPECT_EQ(failed.exit_code, 1603u);
  EXPECT_FALSE(failed.window_seen);
  ExpectLogLines(log, {"Fehler: ", "Ergebnis: Deinstallation unvollständig", "Ende: Exitcode 1603\r\n"});
  std::filesystem::resize_file(product.Record(), record_text.size());

  HANDLE started =
      Start(driver::RegistryString(HKEY_LOCAL_MACHINE, scenario::kUninstallList + product.Name().EntryName(),
                                   "UninstallString")
                .value_or("none"));
  ASSERT_TRUE(started);
  auto question = WaitForAnyMessageBox("Bestätigen");
  ASSERT_TRUE(question);
  scenario::ExpectRemovalQuestion(*question, product.Name().Title());
  EXPECT_EQ(WindowProcess(question->handle).Image(), product.Launcher());
  const std::vector<std::string> pending = NamesForRestart();
  driver::ClickButton(question->handle, "&Nein");
  EXPECT_EQ(ExitCodeOf(started), 1602u);
  product.ExpectInstalled();
  EXPECT_EQ(driver::FileContent(product.Record()), record_text);
  EXPECT_EQ(NamesForRestart(), pending);

  started = Start("uninstaller.exe --remove \"" + product.Name().EntryName() + "\"");
  ASSERT_TRUE(started);
  question = WaitForAnyMessageBox("Bestätigen");
  ASSERT_TRUE(question);
  driver::ClickButton(question->handle, "&Ja");
  const auto report = WaitForAnyMessageBox("Information");
  ASSERT_TRUE(report);
  scenario::ExpectRemovalReport(*report);
  const WindowProcess copy(report->handle);
  const std::string image = copy.Image();
  EXPECT_EQ(image.rfind(TemporaryFolder(), 0), 0u) << image;
  HWND window = WaitForAnyWindow("TDeinstallation", product.Name().Title());
  ASSERT_TRUE(window);
  EXPECT_TRUE(
      driver::ControlByText(window, "Entfernt " + product.Name().Title() + " von Ihrem System.").handle);
  EXPECT_EQ(driver::TextOf(scenario::ControlOfClass(window, "TGauge")), "100%");
  driver::ClickButton(report->handle, "OK");
  EXPECT_TRUE(copy.Ended());
  EXPECT_EQ(ExitCodeOf(started), 0u);
  product.ExpectRemoved();

  // The copy cannot delete its own running file: the system does, at the
  // next restart.
  EXPECT_TRUE(scenario::Exists(image));
  const std::vector<std::string> noted = NamesForRestart();
  EXPECT_NE(std::find(noted.begin(), noted.end(), "\\??\\" + image), noted.end());
  Restart();
  EXPECT_FALSE(scenario::Exists(image));
}

}  // namespace
