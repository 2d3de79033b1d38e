#include <cstdio>
#include <string>

#include "arguments.h"
#include "commands.h"
#include "native_text.h"
#include "test_medium.h"

namespace stptool {
namespace {

constexpr std::string_view kUsage =
    "usage: stptool test [-q] MEDIUM\n"
    "  MEDIUM  the folder of Setup.inf, or the folder holding Disk1 with it\n"
    "  -q      no progress line, and no summary when all is well\n"
    "Decodes every file and writes nothing; prints one line per problem and a summary.\n"
    "Exit status 0: no problem; 3: the medium is damaged.\n";

void PrintLine(const std::string& line) { std::printf("%s\n", line.c_str()); }

}  // namespace

int TestCommand(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args, {}, {"-q"}, kUsage);
  if (parsed.help) return ShowUsage(kUsage);
  if (parsed.operands.size() != 1) return WrongUsage(kUsage);
  const bool quiet = parsed.flags.contains("-q");
  const std::string folder = CorePath(parsed.operands[0]);

  Medium medium;
  try {
    medium = ReadMedium(folder);
  } catch (const ToolError& e) {
    // Without a file table there is nothing more to check.
    if (e.Status() != kDamaged) throw;
    PrintLine(e.what());
    PrintLine("1 problem: the medium is damaged");
    return kDamaged;
  }
  TestResult result{};
  {
    Progress progress = Progress::OnTerminal(quiet);
    result = TestMedium(medium, progress, PrintLine);
  }

  std::string summary = "checked " + std::to_string(result.files) + " file" + (result.files == 1 ? "" : "s") +
                        ", " + std::to_string(result.bytes) + " bytes";
  if (result.volumes > 0) {
    summary += ", in " + std::to_string(result.volumes) + " volume" + (result.volumes == 1 ? "" : "s");
  }
  summary += result.with_checksums ? ", with their checksums"
                                   : ", without checksums (Setup.inf has no [Checksums]: damage within a "
                                     "file's data cannot be told)";
  if (result.problems == 0) {
    if (!quiet) PrintLine(summary + ": no problems");
    return kSuccess;
  }
  PrintLine(summary + ": " + std::to_string(result.problems) + " problem" +
            (result.problems == 1 ? "" : "s") + ", the medium is damaged");
  return kDamaged;
}

}  // namespace stptool
