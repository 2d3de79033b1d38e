#include <cstdio>
#include <string>

#include "arguments.h"
#include "commands.h"
#include "extract.h"
#include "native_text.h"

namespace stptool {
namespace {

constexpr std::string_view kUsage =
    "usage: stptool extract [--no-prompt] MEDIUM DEST_DIR\n"
    "  MEDIUM       the folder of Setup.inf, or the folder holding Disk1 with it\n"
    "  --no-prompt  a missing volume is an error instead of a question\n";

}  // namespace

int ExtractCommand(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args, {}, {"--no-prompt"}, kUsage);
  if (parsed.operands.size() != 2) {
    std::fputs(kUsage.data(), stderr);
    return kUserError;
  }
  const Medium medium = OpenMedium(CorePath(parsed.operands[0]));
  const DiskPrompt prompt = TerminalPrompt(!parsed.flags.contains("--no-prompt"));
  const std::string destination = CorePath(parsed.operands[1]);
  StopOnInterrupt();
  Progress progress = Progress::OnTerminal();
  const ExtractResult result = ExtractMedium(medium, destination, prompt, progress);
  std::printf("extracted %d files, %llu bytes, into %s\n", result.files,
              static_cast<unsigned long long>(result.bytes), ShownPath(destination).c_str());
  return kSuccess;
}

}  // namespace stptool
