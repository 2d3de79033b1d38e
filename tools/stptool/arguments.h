#pragma once

#include <initializer_list>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace stptool {

// A command's arguments: options that take a value ("-v 1000"), options
// that stand alone ("--no-prompt"), and the operands, in any order. "--"
// ends the options: everything after it is an operand.
struct Arguments {
  std::map<std::string, std::string, std::less<>> values;
  std::set<std::string, std::less<>> flags;
  std::vector<std::string> operands;
  // -h or --help was given: the command shows its usage and does nothing
  // else.
  bool help = false;
};

// Throws ToolError (a user error that shows usage) for an unknown option or
// one whose value is missing.
Arguments ParseArguments(std::span<const std::string> args,
                         std::initializer_list<std::string_view> with_value,
                         std::initializer_list<std::string_view> alone, std::string_view usage);

// Writes the usage to stdout for --help and returns the exit status.
int ShowUsage(std::string_view usage);
// Writes the usage to stderr for a call with the wrong operands and returns
// the exit status.
int WrongUsage(std::string_view usage);

}  // namespace stptool
