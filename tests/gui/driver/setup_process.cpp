#include "driver/setup_process.h"

#include <filesystem>
#include <fstream>

#include "driver/driver.h"

namespace driver {

namespace fs = std::filesystem;

std::string BesideTheTest(const std::string& name) {
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  return (fs::path(program).parent_path() / name).string();
}

std::string SetupProcess::MediumDirectory(const std::string& name) {
  return (fs::temp_directory_path() / ("stp-" + name)).string() + "\\";
}

SetupProcess::SetupProcess(const std::string& name, const std::optional<std::string>& setup_inf,
                           bool with_picture)
    : directory_(MediumDirectory(name)) {
  const fs::path folder = fs::path(directory_).parent_path();
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::copy_file(BesideTheTest("Setup.exe"), folder / "Setup.exe");
  if (with_picture) fs::copy_file(BesideTheTest("setup.bmp"), folder / "setup.bmp");
  if (setup_inf) std::ofstream(directory_ + "Setup.inf", std::ios::binary) << *setup_inf;
}

SetupProcess::SetupProcess(std::string medium_directory)
    : directory_(std::move(medium_directory)), owns_directory_(false) {
  if (!directory_.empty() && directory_.back() != '\\') directory_ += '\\';
}

SetupProcess::~SetupProcess() {
  if (process_.hProcess) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, kTimeoutMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  std::error_code ignored;
  if (owns_directory_) fs::remove_all(fs::path(directory_).parent_path(), ignored);
}

bool SetupProcess::Start(const std::string& argument) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string command = "\"" + directory_ + "Setup.exe\"";
  if (!argument.empty()) command += " " + argument;
  return CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, directory_.c_str(),
                        &startup, &process_);
}

DWORD SetupProcess::WaitForExit() const {
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(process_.hProcess, kTimeoutMs) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process_.hProcess, &code);
  }
  return code;
}

}  // namespace driver
