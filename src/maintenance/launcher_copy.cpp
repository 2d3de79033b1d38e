#include "maintenance/launcher_copy.h"

#include <windows.h>

#include "maintenance/launcher_start.h"
#include "setup/run_outcome.h"
#include "ui/application.h"

namespace {

// The original has nothing left to do once the copy runs; a launcher that
// hangs must not keep the copy from removing the rest.
constexpr DWORD kOriginalEndMs = 60000;

std::string TemporaryFolder() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof path, path);
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

// A name of its own in the temporary folder, made as the file that reserves it.
std::string TemporaryFile(const std::string& folder) {
  char name[MAX_PATH] = {};
  if (folder.empty() || !GetTempFileNameA(folder.c_str(), "stp", 0, name)) return {};
  return name;
}

}  // namespace

std::string MoveOwnFileAside() {
  const std::string aside = TemporaryFile(TemporaryFolder());
  if (aside.empty()) return {};
  // A rename only: copying would leave the running file where it is.
  if (!MoveFileExA(ui::Application::ExeName().c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(aside.c_str());
    return {};
  }
  MoveFileExA(aside.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  return aside;
}

HANDLE StartCopyInTemporaryFolder(const std::string& own, const std::string& record,
                                  const stp::CopySwitches& switches) {
  const std::string folder = TemporaryFolder();
  const std::string copy = TemporaryFile(folder);
  if (copy.empty()) return nullptr;
  HANDLE original = nullptr;
  if (!CopyFileA(own.c_str(), copy.c_str(), FALSE) ||
      !DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &original, SYNCHRONIZE,
                       TRUE, 0)) {
    DeleteFileA(copy.c_str());
    return nullptr;
  }
  std::string command =
      "\"" + copy + "\" " + stp::CopyArguments(record, reinterpret_cast<std::uintptr_t>(original), switches);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  // In the temporary folder, so that the copy does not keep a folder of the
  // product as its current one.
  const bool ok = CreateProcessA(copy.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                                 &startup, &started);
  CloseHandle(original);
  if (!ok) {
    DeleteFileA(copy.c_str());
    return nullptr;
  }
  CloseHandle(started.hThread);
  return started.hProcess;
}

DWORD WaitForCopy(HANDLE copy) {
  DWORD code = static_cast<DWORD>(stp::ExitCode::kFailed);
  if (WaitForSingleObject(copy, INFINITE) != WAIT_OBJECT_0 || !GetExitCodeProcess(copy, &code)) {
    code = static_cast<DWORD>(stp::ExitCode::kFailed);
  }
  CloseHandle(copy);
  return code;
}

void WaitForOriginal(std::uintptr_t process) {
  HANDLE original = reinterpret_cast<HANDLE>(process);
  WaitForSingleObject(original, kOriginalEndMs);
  CloseHandle(original);
}

bool DeleteOwnFileAtRestart() {
  return MoveFileExA(ui::Application::ExeName().c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}
