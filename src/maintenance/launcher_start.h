#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace stp {

// How LAUNCHER.EXE was started. The system's list of installed software
// starts it with no arguments; it then goes on from a copy of itself in the
// temporary folder, started with the record to remove for and the original
// process to wait for, so that its own file below the destination can go.
struct LauncherStart {
  // The installation record the copy removes for; empty in the launcher
  // the system started.
  std::string record;
  // The original launcher's process, as a handle the copy inherited.
  std::uintptr_t original_process = 0;

  bool IsCopy() const { return !record.empty(); }
};

// Reads the arguments after the program's name. Anything it does not know
// is passed over: the uninstall entry names the launcher without quotes, so
// the C runtime splits a path with blanks ("C:\Programme\Firma Planer\...")
// into pieces that arrive as arguments.
LauncherStart ParseLauncherArguments(const std::vector<std::string>& arguments);

// The arguments that start the copy, quoted for the Windows command line.
std::string CopyArguments(const std::string& record, std::uintptr_t original_process);

// The destination directory (ending in "\") of the record at
// "<destination>\Setup\Setup.ini"; nothing when the path is no full path of
// that form.
std::optional<std::string> DestinationOfRecord(const std::string& record);

}  // namespace stp
