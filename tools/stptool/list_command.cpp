#include <cstdio>
#include <string>

#include "arguments.h"
#include "commands.h"
#include "list.h"
#include "native_text.h"
#include "setup/configuration.h"

namespace stptool {
namespace {

constexpr std::string_view kUsage =
    "usage: stptool list [-q] [--no-prompt] MEDIUM\n"
    "  MEDIUM       the folder of Setup.inf, or the folder holding Disk1 with it\n"
    "  --no-prompt  a missing volume is an error instead of a question\n"
    "  -q           no progress line\n";

}  // namespace

int ListCommand(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args, {}, {"--no-prompt", "-q"}, kUsage);
  if (parsed.help) return ShowUsage(kUsage);
  if (parsed.operands.size() != 1) return WrongUsage(kUsage);
  const Medium medium = OpenMedium(CorePath(parsed.operands[0]));
  const DiskPrompt prompt = TerminalPrompt(!parsed.flags.contains("--no-prompt"));
  std::vector<ListedFile> files;
  {
    Progress progress = Progress::OnTerminal(parsed.flags.contains("-q"));
    files = ListMedium(medium, prompt, progress);
  }

  std::uint64_t compressed = 0;
  std::uint64_t size = 0;
  std::printf("%s\n\n%6s %12s %12s  %-19s  %s\n", Shown(stp::ProductTitle(medium.configuration)).c_str(),
              "volume", "compressed", "size", "time (UTC)", "target");
  for (const ListedFile& file : files) {
    const std::string volume = file.volume == 0 ? "-" : std::to_string(file.volume);
    std::printf("%6s %12d %12llu  %s  %s\n", volume.c_str(), file.compressed_size,
                static_cast<unsigned long long>(file.size), FileTimeUtc(file.time).c_str(),
                ShownPath(file.target).c_str());
    compressed += static_cast<std::uint64_t>(file.compressed_size);
    size += file.size;
  }
  std::printf("%6s %12llu %12llu  %zu file%s\n", "", static_cast<unsigned long long>(compressed),
              static_cast<unsigned long long>(size), files.size(), files.size() == 1 ? "" : "s");
  if (!medium.links.LinkNames.empty()) std::printf("\nshortcuts:\n");
  for (std::size_t i = 0; i < medium.links.LinkNames.size(); ++i) {
    std::printf("  %s -> %s\n", ShownPath(medium.links.LinkNames[i]).c_str(),
                ShownPath(medium.links.LinkTargets[i]).c_str());
  }
  return kSuccess;
}

}  // namespace stptool
