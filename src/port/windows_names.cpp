#include "port/windows_names.h"

#include <algorithm>
#include <array>
#include <string>

namespace stp::port {

bool IsDeviceName(std::string_view part) {
  std::string base(part.substr(0, part.find('.')));
  // Windows drops the blanks before the dot too.
  while (!base.empty() && base.back() == ' ') base.pop_back();
  std::transform(base.begin(), base.end(), base.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  constexpr std::array<std::string_view, 6> kDevices = {"con", "prn", "aux", "nul", "conin$", "conout$"};
  if (std::find(kDevices.begin(), kDevices.end(), base) != kDevices.end()) return true;
  if (base.size() != 4 || (!base.starts_with("com") && !base.starts_with("lpt"))) return false;
  const char number = base.back();
  return (number >= '1' && number <= '9') || number == '\xB9' || number == '\xB2' || number == '\xB3';
}

}  // namespace stp::port
