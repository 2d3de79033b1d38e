#pragma once

#include <span>
#include <string>

#include "tool_error.h"

// The subcommands of stptool, one file each. A command gets the arguments
// after its name and returns the exit status, or throws ToolError.
namespace stptool {

int Encode(std::span<const std::string> args);
int Decode(std::span<const std::string> args);
int PackCommand(std::span<const std::string> args);
int ListCommand(std::span<const std::string> args);
int ExtractCommand(std::span<const std::string> args);
int TestCommand(std::span<const std::string> args);

}  // namespace stptool
