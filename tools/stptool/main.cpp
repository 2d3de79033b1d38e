// stptool: makes and reads the media of the setup program.

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "commands.h"
#include "native_text.h"
#include "signals.h"

namespace {

constexpr std::string_view kVersion = "stptool 1.0\n";

struct Command {
  std::string_view name;
  int (*run)(std::span<const std::string> args);
  std::string_view summary;
};

constexpr std::array<Command, 6> kCommands = {{
    {"pack", stptool::PackCommand, "pack DESCRIPTION SOURCE_DIR OUT_DIR   build a medium"},
    {"list", stptool::ListCommand, "list MEDIUM                           show the files of a medium"},
    {"extract", stptool::ExtractCommand,
     "extract MEDIUM DEST_DIR               unpack a medium's files into DEST_DIR"},
    {"test", stptool::TestCommand,
     "test MEDIUM                           check a medium's files and setup data, writing nothing"},
    {"encode", stptool::Encode,
     "encode IN OUT                         compress file IN into the raw LZH stream OUT"},
    {"decode", stptool::Decode,
     "decode IN OUT                         expand the raw LZH stream IN into file OUT"},
}};

void PrintUsage(std::FILE* to) {
  std::fputs(
      "usage: stptool COMMAND [ARGUMENTS]\n       stptool COMMAND --help\n       stptool --version\n\n"
      "commands:\n",
      to);
  for (const Command& command : kCommands)
    std::fprintf(to, "  %.*s\n", static_cast<int>(command.summary.size()), command.summary.data());
}

int Run(const Command& command, std::span<const std::string> args) {
  try {
    return command.run(args);
  } catch (const stptool::ToolError& error) {
    std::fprintf(stderr, "stptool %s: %s\n", command.name.data(), error.what());
    return error.Status();
  } catch (const stp::Error& error) {  // writing a medium or a file failed
    std::fprintf(stderr, "stptool %s: %s\n", command.name.data(), stptool::CoreMessage(error).c_str());
    return stptool::kFailed;
  } catch (const std::exception& error) {  // out of memory, input too large
    std::fprintf(stderr, "stptool %s: %s\n", command.name.data(), error.what());
    return stptool::kFailed;
  }
}

// What a command wrote to stdout must have arrived: a listing cut short by
// a full disk is a failure, not a success.
int CheckedOutput(int status) {
  const bool flushed = std::fflush(stdout) == 0;
  if (flushed && !std::ferror(stdout)) return status;
  std::fprintf(stderr, "stptool: cannot write the output: %s\n",
               flushed ? "an earlier write failed" : std::strerror(errno));
  return status == stptool::kSuccess ? stptool::kFailed : status;
}

}  // namespace

int main(int argc, char** argv) {
  stptool::CatchSignals();
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintUsage(stderr);
    return stptool::kUserError;
  }
  if (args[0] == "-h" || args[0] == "--help") {
    PrintUsage(stdout);
    return CheckedOutput(stptool::kSuccess);
  }
  if (args[0] == "--version") {
    std::fputs(kVersion.data(), stdout);
    return CheckedOutput(stptool::kSuccess);
  }
  for (const Command& command : kCommands) {
    if (args[0] == command.name) return CheckedOutput(Run(command, std::span(args).subspan(1)));
  }
  std::fprintf(stderr, "stptool: unknown command '%s'\n\n", args[0].c_str());
  PrintUsage(stderr);
  return stptool::kUserError;
}
