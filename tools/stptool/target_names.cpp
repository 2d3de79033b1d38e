#include "target_names.h"

#include <algorithm>
#include <array>

#include "port/windows_names.h"
#include "setup/profile.h"

namespace stptool {
namespace {

constexpr std::array<std::string_view, 2> kPlaceholders = {"<windir>", "<desktop>"};
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char Lowered(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithFolded(std::string_view text, std::string_view lower_prefix) {
  return text.size() >= lower_prefix.size() &&
         std::equal(lower_prefix.begin(), lower_prefix.end(), text.begin(),
                    [](char p, char t) { return p == Lowered(t); });
}

std::string PartProblem(std::string_view part) {
  if (part.empty()) return "has an empty part";
  if (part == "." || part == "..") return "has a '" + std::string(part) + "' part";
  for (const char c : part) {
    if (static_cast<unsigned char>(c) < 0x20) return "holds a control character";
    if (stp::port::kCharactersRefusedInNames.find(c) != std::string_view::npos) {
      return "holds the character '" + std::string(1, c) + "'";
    }
  }
  // Windows drops a trailing dot or blank, so the file would get another
  // name than the one recorded ("..." would even become nothing).
  if (part.back() == '.' || part.back() == ' ') {
    return "has the part '" + std::string(part) + "', which ends in a " +
           (part.back() == '.' ? "dot" : "blank") + " that Windows drops from names";
  }
  if (stp::port::IsDeviceName(part)) {
    return "has the part '" + std::string(part) +
           "', the name of a device that Windows opens instead of a file";
  }
  return {};
}

}  // namespace

std::string NameProblem(std::string_view name, Placeholders placeholders) {
  if (name.empty()) return "is empty";
  if (placeholders == Placeholders::kAllowed) {
    for (const std::string_view placeholder : kPlaceholders) {
      if (!StartsWithFolded(name, placeholder)) continue;
      name.remove_prefix(placeholder.size());
      if (name.empty() || !IsSeparator(name.front())) {
        return "needs a \"\\\" after " + std::string(placeholder);
      }
      name.remove_prefix(1);
      break;
    }
  }
  if (name.size() >= 2 && name[1] == ':') return "has a drive letter";
  if (IsSeparator(name.front())) return "is absolute";
  for (std::size_t start = 0;;) {
    const auto end = std::find_if(name.begin() + start, name.end(), IsSeparator) - name.begin();
    if (std::string problem = PartProblem(name.substr(start, end - start)); !problem.empty()) return problem;
    if (static_cast<std::size_t>(end) == name.size()) return {};
    start = end + 1;
  }
}

std::string ProfileValueProblem(std::string_view value) {
  if (value.size() >= stp::ProfileFile::kValueBufferSize) {
    return "is longer than " + std::to_string(stp::ProfileFile::kValueBufferSize - 1) + " characters";
  }
  if (!value.empty() &&
      (value.front() == ' ' || value.front() == '\t' || value.back() == ' ' || value.back() == '\t')) {
    return "begins or ends with a blank";
  }
  if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\'')) {
    return "is enclosed in quotes";
  }
  return {};
}

}  // namespace stptool
