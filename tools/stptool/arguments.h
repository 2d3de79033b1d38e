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
// that stand alone ("--no-prompt"), and the operands, in any order.
struct Arguments {
  std::map<std::string, std::string, std::less<>> values;
  std::set<std::string, std::less<>> flags;
  std::vector<std::string> operands;
};

// Throws ToolError (a user error that shows usage) for an unknown option or
// one whose value is missing.
Arguments ParseArguments(std::span<const std::string> args,
                         std::initializer_list<std::string_view> with_value,
                         std::initializer_list<std::string_view> alone, std::string_view usage);

}  // namespace stptool
