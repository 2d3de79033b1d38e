#include <cstdio>
#include <string>

#include "arguments.h"
#include "commands.h"
#include "native_text.h"
#include "pack.h"

namespace stptool {
namespace {

constexpr std::string_view kUsage =
    "usage: stptool pack [-q] [-v SIZE [-d below|beside]] [-b PICTURE] [-e SETUP_EXE]\n"
    "                    [-l LAUNCHER_EXE] DESCRIPTION SOURCE_DIR OUT_DIR\n"
    "  -v SIZE    setup data in volumes: Setup1.stp of SIZE bytes (k = 1024 bytes, M = 1000k,\n"
    "             at most 1457664), every later one 1457664 bytes, one 1.44 MB diskette each;\n"
    "             -v auto: Setup1.stp fills what Setup.exe, Setup.inf and setup.bmp leave\n"
    "             of the first diskette\n"
    "  -d below   each volume in a folder DiskN below the folder of Setup.inf\n"
    "  -d beside  each volume in a folder DiskN, with Setup.inf, setup.bmp and Setup.exe in Disk1\n"
    "  -b FILE    copy FILE as setup.bmp\n"
    "  -e FILE    copy FILE as Setup.exe\n"
    "  -l FILE, --launcher FILE\n"
    "             install FILE as Setup\\LAUNCHER.EXE below the destination folder, the program\n"
    "             that the product's entry in the list of installed software starts to remove it\n"
    "  -q         no progress line and no summary\n";

DiskFolders Folders(const std::string& text) {
  if (text == "below") return DiskFolders::kBelow;
  if (text == "beside") return DiskFolders::kBeside;
  throw ToolError("-d takes below or beside, not '" + text + "'", kUserError);
}

}  // namespace

int PackCommand(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args, {"-v", "-d", "-b", "-e", "-l", "--launcher"}, {"-q"}, kUsage);
  if (parsed.help) return ShowUsage(kUsage);
  if (parsed.operands.size() != 3) return WrongUsage(kUsage);
  PackOptions options;
  for (const auto& [option, value] : parsed.values) {
    if (option == "-v") {
      const auto size = ParseVolumeSize(value);
      options.fit_first_disk = !size;
      options.first_volume_size = size.value_or(0);
    }
    if (option == "-d") options.disk_folders = Folders(value);
    if (option == "-b") options.picture = CorePath(value);
    if (option == "-e") options.setup_program = CorePath(value);
    if (option == "-l" || option == "--launcher") options.launcher = CorePath(value);
  }
  const bool quiet = parsed.flags.contains("-q");

  const ProductDescription description = LoadProductDescription(CorePath(parsed.operands[0]));
  Progress progress = Progress::OnTerminal(quiet);
  const PackResult result =
      Pack(description, CorePath(parsed.operands[1]), CorePath(parsed.operands[2]), options, progress);
  if (result.first_disk_bytes > kDisketteBytes) {
    std::fprintf(stderr,
                 "stptool pack: warning: the first diskette's files (%s) take %lld bytes, more than the %lld "
                 "a 1.44 MB diskette holds; give a smaller -v, or -v auto\n",
                 options.disk_folders == DiskFolders::kBeside
                     ? "the folder Disk1"
                     : "Setup1.stp beside Setup.inf, Setup.exe, setup.bmp",
                 static_cast<long long>(result.first_disk_bytes), static_cast<long long>(kDisketteBytes));
  }
  if (!InstallsLauncher(result.files)) {
    std::fprintf(stderr,
                 "stptool pack: warning: the medium installs no %s, so the product's entry in the list of "
                 "installed software will start nothing; give -l LAUNCHER.EXE\n",
                 ShownPath(kLauncherTarget).c_str());
  }
  if (quiet) return kSuccess;
  std::fprintf(stderr, "packed %zu file%s into %d bytes of setup data", result.files.size(),
               result.files.size() == 1 ? "" : "s", result.data_size);
  if (result.volumes > 0) {
    std::fprintf(stderr, " in %d volume%s (Setup1.stp of up to %lld bytes)", result.volumes,
                 result.volumes == 1 ? "" : "s", static_cast<long long>(result.first_volume_size));
  }
  std::fprintf(stderr, "; Setup.inf is in %s\n", ShownPath(result.setup_directory).c_str());
  return kSuccess;
}

}  // namespace stptool
