#include "engine/progress_labels.h"

namespace stp {
namespace {

constexpr std::size_t kLongestShown = 44;
constexpr std::size_t kLongestTail = 40;
constexpr std::size_t kNameKept = 35;

// The part after the last "\" or ":", and the part before that separator.
struct Split {
  std::string before;
  std::string after;
};

Split AtLastSeparator(const std::string& path) {
  const auto cut = path.find_last_of("\\:");
  if (cut == std::string::npos) return {"", path};
  return {path.substr(0, cut), path.substr(cut + 1)};
}

}  // namespace

std::string ZeigAn(const std::string& path) {
  if (path.size() <= kLongestShown) return path;
  const Split file = AtLastSeparator(path);
  const std::string folder = AtLastSeparator(file.before).after;
  const std::string start = path.substr(0, 1) + ":\\...\\";
  if (file.after.size() + folder.size() <= kLongestTail) return start + folder + "\\" + file.after;
  if (file.after.size() <= kLongestTail) return start + file.after;
  return start + file.after.substr(0, kNameKept) + "...";
}

std::string DiskCaption(int disk_number) {
  return disk_number == 0 ? std::string() : "Diskette " + std::to_string(disk_number);
}

}  // namespace stp
