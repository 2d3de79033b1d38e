#include <cstdio>
#include <string>

#include "arguments.h"
#include "commands.h"
#include "extract.h"
#include "list.h"
#include "native_text.h"

namespace stptool {
namespace {

constexpr std::string_view kUsage =
    "usage: stptool extract [-q] [--no-prompt] [--overwrite] MEDIUM DEST_DIR\n"
    "  MEDIUM       the folder of Setup.inf, or the folder holding Disk1 with it\n"
    "  --no-prompt  a missing volume is an error instead of a question\n"
    "  --overwrite  replace files that are already in DEST_DIR (without it, extract refuses them)\n"
    "  -q           no progress line and no summary\n";

}  // namespace

int ExtractCommand(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args, {}, {"--no-prompt", "--overwrite", "-q"}, kUsage);
  if (parsed.help) return ShowUsage(kUsage);
  if (parsed.operands.size() != 2) return WrongUsage(kUsage);
  const Medium medium = OpenMedium(CorePath(parsed.operands[0]));
  const DiskPrompt prompt = TerminalPrompt(!parsed.flags.contains("--no-prompt"));
  const std::string destination = CorePath(parsed.operands[1]);
  const bool quiet = parsed.flags.contains("-q");
  Progress progress = Progress::OnTerminal(quiet);
  const ExtractResult result =
      ExtractMedium(medium, destination, prompt, progress,
                    parsed.flags.contains("--overwrite") ? Existing::kReplace : Existing::kRefuse);
  if (!result.times_not_kept.empty()) {
    const TimeNotKept& first = result.times_not_kept.front();
    std::fprintf(stderr,
                 "stptool extract: warning: the file system could not keep the stored time of %zu file%s, "
                 "for instance '%s' (%s UTC, kept as %s)\n",
                 result.times_not_kept.size(), result.times_not_kept.size() == 1 ? "" : "s",
                 ShownPath(first.path).c_str(), FileTimeUtc(first.stored).c_str(),
                 FileTimeUtc(first.kept).c_str());
  }
  if (!quiet) {
    std::fprintf(stderr, "extracted %d file%s, %llu bytes, into %s\n", result.files,
                 result.files == 1 ? "" : "s", static_cast<unsigned long long>(result.bytes),
                 ShownPath(destination).c_str());
  }
  return kSuccess;
}

}  // namespace stptool
