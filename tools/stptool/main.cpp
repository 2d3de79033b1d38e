// stptool: makes and reads the media of the setup program.

#include <array>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "commands.h"
#include "native_text.h"

namespace {

struct Command {
  std::string_view name;
  int (*run)(std::span<const std::string> args);
  std::string_view summary;
};

constexpr std::array<Command, 5> kCommands = {{
    {"pack", stptool::PackCommand,
     "pack DESCRIPTION SOURCE_DIR OUT_DIR   build a medium (pack alone lists its options)"},
    {"list", stptool::ListCommand, "list MEDIUM                           show the files of a medium"},
    {"extract", stptool::ExtractCommand,
     "extract MEDIUM DEST_DIR               unpack a medium's files into DEST_DIR"},
    {"encode", stptool::Encode,
     "encode IN OUT                         compress file IN into the raw LZH stream OUT"},
    {"decode", stptool::Decode,
     "decode IN OUT                         expand the raw LZH stream IN into file OUT"},
}};

void PrintUsage(std::FILE* to) {
  std::fputs("usage: stptool COMMAND [ARGUMENTS]\n\ncommands:\n", to);
  for (const Command& command : kCommands)
    std::fprintf(to, "  %.*s\n", static_cast<int>(command.summary.size()), command.summary.data());
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintUsage(stderr);
    return stptool::kUserError;
  }
  if (args[0] == "-h" || args[0] == "--help") {
    PrintUsage(stdout);
    return stptool::kSuccess;
  }
  for (const Command& command : kCommands) {
    if (args[0] != command.name) continue;
    try {
      return command.run(std::span(args).subspan(1));
    } catch (const stptool::ToolError& error) {
      std::fprintf(stderr, "stptool %s: %s\n", args[0].c_str(), error.what());
      return error.Status();
    } catch (const stp::Error& error) {  // writing a medium or a file failed
      std::fprintf(stderr, "stptool %s: %s\n", args[0].c_str(), stptool::CoreMessage(error).c_str());
      return stptool::kFailed;
    } catch (const std::exception& error) {  // out of memory, input too large
      std::fprintf(stderr, "stptool %s: %s\n", args[0].c_str(), error.what());
      return stptool::kFailed;
    }
  }
  std::fprintf(stderr, "stptool: unknown command '%s'\n\n", args[0].c_str());
  PrintUsage(stderr);
  return stptool::kUserError;
}
