#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace driver {

// The picture every scenario's pages show, which the build makes beside the
// test program (tests/gui/CMakeLists.txt): one colour that nothing else on
// the screen has, as large as the picture panel's inside.
constexpr COLORREF kPictureColour = RGB(200, 40, 90);
constexpr int kPictureWidth = 119;
constexpr int kPictureHeight = 258;

// A file the build puts beside the test program.
std::string BesideTheTest(const std::string& name);

// A medium of its own for one scenario: a folder below the temporary
// directory holding copies of Setup.exe and, when asked for, of the picture
// from beside the test program, and the given Setup.inf (none when absent).
// Starts Setup.exe from there; whatever is still running and the folder go
// when the object does.
class SetupProcess {
 public:
  SetupProcess(const std::string& name, const std::optional<std::string>& setup_inf,
               bool with_picture = true);
  // Runs the Setup.exe of a medium that exists already, and leaves the medium alone.
  explicit SetupProcess(std::string medium_directory);
  ~SetupProcess();
  SetupProcess(const SetupProcess&) = delete;
  SetupProcess& operator=(const SetupProcess&) = delete;

  // Starts Setup.exe with a command-line argument (none when empty); false
  // when the process could not be made.
  bool Start(const std::string& argument = {});
  DWORD Id() const { return process_.dwProcessId; }
  // The program's main thread, which runs all of its windows.
  HANDLE MainThread() const { return process_.hThread; }
  // The exit code; STILL_ACTIVE when the program has not ended in time.
  DWORD WaitForExit() const;
  // The medium folder, ending in "\".
  const std::string& Directory() const { return directory_; }
  // The medium folder of a scenario of this name, before it exists.
  static std::string MediumDirectory(const std::string& name);

 private:
  std::string directory_;
  bool owns_directory_ = true;
  PROCESS_INFORMATION process_{};
};

}  // namespace driver
