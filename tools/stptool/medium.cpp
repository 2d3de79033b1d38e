#include "medium.h"

#include "engine/extraction.h"
#include "native_text.h"
#include "port/directory_path.h"
#include "target_names.h"
#include "tool_error.h"

namespace stptool {
namespace {

void CheckNames(const Medium& medium) {
  for (std::size_t i = 0; i < medium.files.FileTargets.size(); ++i) {
    const std::string& target = medium.files.FileTargets[i];
    if (const std::string problem = NameProblem(target, Placeholders::kAllowed); !problem.empty()) {
      throw ToolError(
          "Setup.inf, [Files] " + std::to_string(i + 1) + ": the target '" + Shown(target) + "' " + problem,
          kDamaged);
    }
  }
}

}  // namespace

ToolError NoSetupDataError() {
  return ToolError("no setup data (Setup.stp, Setup1.stp or Disk1\\Setup1.stp) beside Setup.inf", kDamaged);
}

Medium OpenMedium(const std::string& folder) {
  Medium medium;
  medium.source_directory = stp::WithTrailingBackslash(folder);
  if (!stp::port::FileExists(medium.source_directory + "Setup.inf")) {
    const std::string first_disk = medium.source_directory + "Disk1\\";
    if (!stp::port::FileExists(first_disk + "Setup.inf")) {
      throw ToolError("no Setup.inf in '" + ShownPath(folder) + "' or its folder Disk1", kUserError);
    }
    medium.source_directory = first_disk;
  }
  const auto inf = stp::ProfileFile::Load(medium.source_directory + "Setup.inf");
  medium.configuration = stp::ReadSetupConfiguration(inf);
  medium.files = stp::LoadFileTable(inf);
  medium.links = stp::LoadLinkTable(inf);
  medium.total_bytes = stp::ReadTotalBytes(inf);
  CheckNames(medium);
  try {
    stp::CheckFileTable(medium.files);
  } catch (const stp::Error& e) {
    throw ToolError("Setup.inf: " + CoreMessage(e), kDamaged);
  }
  return medium;
}

}  // namespace stptool
