#include "extract.h"

#include <algorithm>
#include <optional>

#include "engine/extraction.h"
#include "native_text.h"
#include "setup/directory_path.h"

namespace stptool {

ExtractResult ExtractMedium(const Medium& medium, const std::string& destination, const DiskPrompt& prompt,
                            Progress& progress, Existing existing) {
  const std::string folder = stp::WithTrailingBackslash(destination);
  const stp::TargetPlaces places{folder, folder + std::string(kWindowsFolder),
                                 folder + std::string(kDesktopFolder)};
  CheckDestination(medium.files, places, existing);
  EnsureDirectory(stp::WithoutTrailingBackslash(folder));

  ToolHost host(prompt, progress);
  host.GuardBelow(folder);
  progress.Start(static_cast<std::uint64_t>(std::max(medium.total_bytes, 0)));
  std::optional<ToolError> failure;
  auto outcome = stp::Extraction::Outcome::kDone;
  try {
    stp::Extraction extraction(medium.files, places, medium.source_directory, host);
    outcome = extraction.InstallFiles();
  } catch (const ToolError& e) {
    failure = e;
  } catch (const stp::Error& e) {
    failure = CoreFailure(e);
  }
  progress.Finish();

  // The extraction has closed the file by now, which Windows needs before
  // it deletes one.
  std::string note;
  if (const std::string unfinished = host.Unfinished(); !unfinished.empty()) {
    note = stp::port::RemoveFile(unfinished) ? "; removed the unfinished '" + ShownPath(unfinished) + "'"
                                             : "; '" + ShownPath(unfinished) + "' is unfinished";
  }
  if (failure) throw ToolError(failure->what() + note, failure->Status());
  switch (outcome) {
    case stp::Extraction::Outcome::kDone: break;
    case stp::Extraction::Outcome::kCancelled:
      throw ToolError((host.GaveUp() ? std::string(kGaveUp) : "interrupted") + note, kFailed);
    case stp::Extraction::Outcome::kNoSetupData: throw NoSetupDataError();
  }
  return {host.FilesDone(), host.BytesDone(), TimesNotKept(medium.files, places)};
}

}  // namespace stptool
