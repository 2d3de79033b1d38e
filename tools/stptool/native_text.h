#pragma once

#include <string>
#include <string_view>

#include "port/errors.h"
#include "tool_error.h"

// Where the tool meets its platform: paths typed on the command line become
// core paths (Windows-1252, "\" between parts), and Windows-1252 text goes
// out to the terminal.
namespace stptool {

// A path from the command line as the core names it. On POSIX it arrives in
// UTF-8 and must have a Windows-1252 form (ToolError otherwise).
std::string CorePath(std::string_view argument);
// Windows-1252 text (a name from a medium, a German message of the core) as
// the terminal shows it: UTF-8 on POSIX. Control characters, which a medium
// may hold to play tricks on the terminal, are shown as "\x1b" and the like.
std::string Shown(std::string_view text);
// A core path as the platform writes it: on POSIX with "/" between parts.
std::string ShownPath(std::string_view path);
// What the tool says of a core failure: its English message, which names
// the file and the numbers, as the terminal shows it. (A failure that only
// Setup.exe reports has none: then its German message and detail.)
std::string CoreMessage(const stp::Error& error);
// A core failure as the tool reports it: an input/output error as a failed
// run, anything else as a damaged medium.
ToolError CoreFailure(const stp::Error& error);
// Why a file-system call failed, in the platform's words ("Permission
// denied"), as the tool adds it to its own message.
std::string IoReason(const stp::IoError& error);
// Creates the directory with every missing level above it, or throws
// ToolError saying why it cannot.
void EnsureDirectory(const std::string& path);
bool StdinIsTerminal();
bool StderrIsTerminal();

}  // namespace stptool
