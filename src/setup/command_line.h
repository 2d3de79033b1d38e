#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace stp {

// Whether the first command-line argument asks for removal: its second
// character is "u" in either case, as in "/u" or "-U". A shorter argument
// never does.
bool IsRemovalSwitch(std::string_view first_argument);

// Which program reads the command line: the launcher removes and knows no
// destination.
enum class Program { kSetup, kLauncher };

// What the command line asks for. Switches start with "/" or "-", in any
// order and letter case:
//   /S            no page, no question: the run decides everything itself
//   /D=directory  the destination of an installation (Setup.exe only)
//   /LOG=file     a plain-text log, appended to
//   /u            removal of the installed product
// The first argument also asks for removal, as it always has, when its
// second character is "u" or "U" ("/u", "-U", "/uninstall", "xu").
struct CommandLine {
  bool silent = false;
  // A full path ending in "\", with "\" between its parts; empty without /D=.
  std::string destination;
  // As given; empty without /LOG=.
  std::string log_file;
  bool classic_removal = false;  // by the first argument's second character
  bool removal_switch = false;   // by /u
  // One German sentence per argument that was refused; the run must not
  // start when there is any.
  std::vector<std::string> errors;

  bool RemovalRequested() const { return classic_removal || removal_switch; }
};

// Reads the command line as the program gets it (GetCommandLineA): the
// program's name first, then the arguments, split as the C runtime splits
// them. The paths of /D= and /LOG= are read as deployment tools write them:
//   /D=C:\Program Files\X     unquoted, with blanks: up to the end, or to
//                             the blank before the next switch
//   /D="C:\Program Files\X"   the quotes only group; "\" before the closing
//   "/D=C:\Program Files\X"   quote is part of the path ("C:\Ziel\")
// After an unquoted path, a blank followed by "/" always starts the next
// switch (no folder name ends in a blank); a blank followed by "-" only
// when a known switch follows ("-S", "-u", "-D=", "-LOG="), so a folder
// like "Werkzeuge -Alt" keeps its name.
CommandLine ParseCommandLine(std::string_view command_line, Program program = Program::kSetup);

// What a refused command line shows or logs: every error, then the switches
// the program knows, one sentence per line.
std::string CommandLineErrorText(const CommandLine& command_line, Program program = Program::kSetup);

}  // namespace stp
