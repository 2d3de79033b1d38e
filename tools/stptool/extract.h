#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "destination.h"
#include "medium.h"
#include "progress.h"
#include "tool_error.h"
#include "tool_host.h"

namespace stptool {

// The folders below the destination that stand for the Windows directory
// and the desktop. Windows refuses "<" and ">" in names, so there they
// carry other marks.
#ifdef _WIN32
inline constexpr std::string_view kWindowsFolder = "_windir_";
inline constexpr std::string_view kDesktopFolder = "_desktop_";
#else
inline constexpr std::string_view kWindowsFolder = "<windir>";
inline constexpr std::string_view kDesktopFolder = "<desktop>";
#endif

struct ExtractResult {
  int files;
  std::uint64_t bytes;
  // Files that the file system could not stamp with their stored time.
  std::vector<TimeNotKept> times_not_kept;
};

// Extracts every file of the medium below destination (a core path,
// created when missing) through the same reader and codec as Setup.exe,
// with the stored file times. Before anything is written, refuses a target
// that is there already (unless kReplace) or that would be written through
// a symbolic link (destination.h). Throws ToolError; a file left unfinished
// by the failure, by giving up at the prompt or by a signal (signals.h) is
// not written (a file already in its place keeps its content), and the
// message says so.
ExtractResult ExtractMedium(const Medium& medium, const std::string& destination, const DiskPrompt& prompt,
                            Progress& progress, Existing existing);

}  // namespace stptool
