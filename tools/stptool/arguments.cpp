#include "arguments.h"

#include <algorithm>
#include <cstdio>

#include "tool_error.h"

namespace stptool {

Arguments ParseArguments(std::span<const std::string> args,
                         std::initializer_list<std::string_view> with_value,
                         std::initializer_list<std::string_view> alone, std::string_view usage) {
  const auto known = [](std::initializer_list<std::string_view> names, const std::string& arg) {
    return std::find(names.begin(), names.end(), arg) != names.end();
  };
  Arguments parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--") {
      parsed.operands.insert(parsed.operands.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                             args.end());
      break;
    }
    if (arg == "-h" || arg == "--help") {
      parsed.help = true;
    } else if (known(with_value, arg)) {
      if (i + 1 == args.size()) throw ToolError(arg + " needs a value\n" + std::string(usage), kUserError);
      parsed.values[arg] = args[++i];
    } else if (known(alone, arg)) {
      parsed.flags.insert(arg);
    } else if (arg.size() > 1 && arg.front() == '-') {
      throw ToolError("unknown option '" + arg + "'\n" + std::string(usage), kUserError);
    } else {
      parsed.operands.push_back(arg);
    }
  }
  return parsed;
}

int ShowUsage(std::string_view usage) {
  std::fwrite(usage.data(), 1, usage.size(), stdout);
  return kSuccess;
}

int WrongUsage(std::string_view usage) {
  std::fwrite(usage.data(), 1, usage.size(), stderr);
  return kUserError;
}

}  // namespace stptool
