#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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
  // The original has moved its own file out of the product and waits for
  // the copy, to end with its exit code; the copy must not wait for it.
  bool original_waits = false;
  // /S and /LOG= of the original, passed on.
  bool silent = false;
  std::string log_file;

  bool IsCopy() const { return !record.empty(); }
};

// Reads the arguments after the program's name. Anything it does not know
// is passed over: the uninstall entry names the launcher without quotes, so
// the C runtime splits a path with blanks ("C:\Programme\Firma Planer\...")
// into pieces that arrive as arguments.
LauncherStart ParseLauncherArguments(const std::vector<std::string>& arguments);

// What the original passes on to the copy beyond the record and itself.
struct CopySwitches {
  bool original_waits = false;
  bool silent = false;
  std::string log_file = {};  // a full path: the copy runs in another folder
};

// The command line with the program's name in quotes, when it begins with
// program_path unquoted: the uninstall entry names the launcher without
// quotes, and a path with blanks would otherwise be read as a short name
// followed by arguments. Any other command line stays as it is.
std::string WithQuotedProgramName(std::string_view command_line, std::string_view program_path);

// The arguments that start the copy, quoted for the Windows command line.
std::string CopyArguments(const std::string& record, std::uintptr_t original_process,
                          const CopySwitches& switches = {});

// The destination directory (ending in "\") of the record at
// "<destination>\Setup\Setup.ini"; nothing when the path is no full path of
// that form.
std::optional<std::string> DestinationOfRecord(const std::string& record);

}  // namespace stp
