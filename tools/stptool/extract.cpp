#include "extract.h"

#include <algorithm>
#include <optional>

#include "engine/content_check.h"
#include "engine/extraction.h"
#include "native_text.h"
#include "port/directory_path.h"

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
  bool damaged = false;
  auto outcome = stp::Extraction::Outcome::kDone;
  try {
    stp::Extraction extraction(medium.files, places, medium.source_directory, host,
                               [&host](int, const std::string&) { host.FileInstalled(); });
    outcome = extraction.InstallFiles();
  } catch (const ToolError& e) {
    failure = e;
  } catch (const stp::Error& e) {
    failure = CoreFailure(e);
    damaged = dynamic_cast<const stp::DamagedFileError*>(&e) != nullptr;
  }
  progress.Finish();

  // The engine puts a file in its target's place only once it is complete
  // and, where Setup.inf stores its checksum, intact, and throws an
  // unfinished or damaged one away. The message of a damaged one names it.
  std::string note;
  if (damaged) {
    note = "; it was not written";
  } else if (const std::string unfinished = host.Unfinished(); !unfinished.empty()) {
    note = "; the unfinished '" + ShownPath(unfinished) + "' was not written";
  }
  if (failure) throw ToolError(failure->what() + note, failure->Status());
  if (outcome == stp::Extraction::Outcome::kNoSetupData) throw NoSetupDataError();
  // A cancel during the last file leaves that file out without stopping
  // the extraction before another.
  if (outcome == stp::Extraction::Outcome::kCancelled || host.CancelConfirmed()) {
    throw ToolError((host.GaveUp() ? std::string(kGaveUp) : "interrupted") + note, kFailed);
  }
  return {host.FilesDone(), host.BytesDone(), TimesNotKept(medium.files, places)};
}

}  // namespace stptool
