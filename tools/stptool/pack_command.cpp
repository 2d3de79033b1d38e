#include <cstdio>
#include <string>

#include "arguments.h"
#include "commands.h"
#include "native_text.h"
#include "pack.h"

namespace stptool {
namespace {

constexpr std::string_view kUsage =
    "usage: stptool pack [-v BYTES [-d below|beside]] [-b PICTURE] [-e SETUP_EXE]\n"
    "                    DESCRIPTION SOURCE_DIR OUT_DIR\n"
    "  -v BYTES   setup data in volumes: Setup1.stp of BYTES, every later one 1457664 bytes\n"
    "  -d below   each volume in a folder DiskN below the folder of Setup.inf\n"
    "  -d beside  each volume in a folder DiskN, with Setup.inf, setup.bmp and Setup.exe in Disk1\n"
    "  -b FILE    copy FILE as setup.bmp\n"
    "  -e FILE    copy FILE as Setup.exe\n";

std::int64_t VolumeSize(const std::string& text) {
  std::size_t used = 0;
  long long size = 0;
  try {
    size = std::stoll(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || size < 1) {
    throw ToolError("-v takes a number of bytes, not '" + text + "'", kUserError);
  }
  return size;
}

DiskFolders Folders(const std::string& text) {
  if (text == "below") return DiskFolders::kBelow;
  if (text == "beside") return DiskFolders::kBeside;
  throw ToolError("-d takes below or beside, not '" + text + "'", kUserError);
}

}  // namespace

int PackCommand(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args, {"-v", "-d", "-b", "-e"}, {}, kUsage);
  if (parsed.operands.size() != 3) {
    std::fputs(kUsage.data(), stderr);
    return kUserError;
  }
  PackOptions options;
  for (const auto& [option, value] : parsed.values) {
    if (option == "-v") options.first_volume_size = VolumeSize(value);
    if (option == "-d") options.disk_folders = Folders(value);
    if (option == "-b") options.picture = CorePath(value);
    if (option == "-e") options.setup_program = CorePath(value);
  }

  const ProductDescription description = LoadProductDescription(CorePath(parsed.operands[0]));
  Progress progress = Progress::OnTerminal();
  const PackResult result =
      Pack(description, CorePath(parsed.operands[1]), CorePath(parsed.operands[2]), options, progress);
  std::printf("packed %zu files into %d bytes of setup data", result.files.size(), result.data_size);
  if (result.volumes > 0) std::printf(" in %d volumes", result.volumes);
  std::printf("; Setup.inf is in %s\n", ShownPath(result.setup_directory).c_str());
  return kSuccess;
}

}  // namespace stptool
