#include "maintenance/launcher_copy.h"

#include <windows.h>

#include "maintenance/launcher_start.h"
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

}  // namespace

bool StartCopyInTemporaryFolder(const std::string& record) {
  const std::string folder = TemporaryFolder();
  char copy[MAX_PATH] = {};
  // A name of its own, made as the file that reserves it.
  if (folder.empty() || !GetTempFileNameA(folder.c_str(), "stp", 0, copy)) return false;
  const std::string own = ui::Application::ExeName();
  HANDLE original = nullptr;
  if (!CopyFileA(own.c_str(), copy, FALSE) ||
      !DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &original, SYNCHRONIZE,
                       TRUE, 0)) {
    DeleteFileA(copy);
    return false;
  }
  std::string command = "\"" + std::string(copy) + "\" " +
                        stp::CopyArguments(record, reinterpret_cast<std::uintptr_t>(original));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  // In the temporary folder, so that the copy does not keep a folder of the
  // product as its current one.
  const bool ok = CreateProcessA(copy, command.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                                 &startup, &started);
  CloseHandle(original);
  if (!ok) {
    DeleteFileA(copy);
    return false;
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
}

void WaitForOriginal(std::uintptr_t process) {
  HANDLE original = reinterpret_cast<HANDLE>(process);
  WaitForSingleObject(original, kOriginalEndMs);
  CloseHandle(original);
}

bool DeleteOwnFileAtRestart() {
  return MoveFileExA(ui::Application::ExeName().c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}
