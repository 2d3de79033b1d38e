#include "destination.h"

#include "native_text.h"
#include "port/file_system.h"
#include "tool_error.h"

namespace stptool {

void CheckTargetPath(const std::string& root, const std::string& target, Existing existing) {
  using stp::port::PathKind;
  const std::string shown = "'" + ShownPath(target) + "'";
  for (std::size_t end = target.find('\\', root.size());; end = target.find('\\', end + 1)) {
    const std::string level = target.substr(0, end);
    const bool last = end == std::string::npos;
    switch (stp::port::KindOf(level)) {
      case PathKind::kMissing: return;  // and so is everything below it
      case PathKind::kLink:
        if (last)
          throw ToolError(shown + " is a symbolic link, which extract never writes through", kDamaged);
        throw ToolError(shown + " would be written through the symbolic link '" + ShownPath(level) +
                            "', which may lead out of the destination folder",
                        kDamaged);
      case PathKind::kDirectory:
        if (last) throw ToolError("cannot write " + shown + ": it is a folder", kUserError);
        break;
      case PathKind::kFile:
        if (!last) {
          throw ToolError("cannot write " + shown + ": '" + ShownPath(level) + "' is a file, not a folder",
                          kUserError);
        }
        if (existing == Existing::kRefuse) {
          throw ToolError(shown + " already exists; give --overwrite to replace existing files", kUserError);
        }
        break;
      case PathKind::kOther:
        throw ToolError("cannot write " + shown + ": '" + ShownPath(level) + "' is not a regular file",
                        kUserError);
    }
    if (last) return;
  }
}

void CheckDestination(const stp::FileTable& files, const stp::TargetPlaces& places, Existing existing) {
  for (std::size_t i = 0; i < files.FileTargets.size(); ++i) {
    try {
      CheckTargetPath(places.destination, stp::ExpandTarget(files.FileTargets[i], places), existing);
    } catch (const ToolError& e) {
      if (e.Status() != kDamaged) throw;
      throw ToolError("Setup.inf, [Files] " + std::to_string(i + 1) + ": " + e.what(), kDamaged);
    }
  }
}

std::vector<TimeNotKept> TimesNotKept(const stp::FileTable& files, const stp::TargetPlaces& places) {
  constexpr stp::port::FileTime kTolerance = 2 * 10000000;
  std::vector<TimeNotKept> missed;
  for (std::size_t i = 0; i < files.FileTargets.size(); ++i) {
    const std::string path = stp::ExpandTarget(files.FileTargets[i], places);
    const stp::port::FileTime stored = stp::StoredFileTime(files.FileTimes[i]);
    stp::port::FileTime kept = 0;
    try {
      kept = stp::port::File::OpenRead(path).WriteTime();
    } catch (const stp::IoError&) {
      continue;  // not there to compare: the run has reported it
    }
    if ((kept > stored ? kept - stored : stored - kept) > kTolerance) missed.push_back({path, stored, kept});
  }
  return missed;
}

}  // namespace stptool
