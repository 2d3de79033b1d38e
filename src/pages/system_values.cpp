#include "pages/system_values.h"

#include <cstring>

namespace stp {

std::string PlatformName(std::uint32_t platform_id) {
  switch (static_cast<Platform>(platform_id)) {
    case Platform::kWin32s: return "Windows 3.1 mit Win32s";
    case Platform::kWindows: return "Windows";
    case Platform::kWindowsNT: return "Windows NT";
  }
  return "";
}

std::string VersionText(std::uint32_t major, std::uint32_t minor) {
  return std::to_string(major) + "." + std::to_string(minor);
}

std::string BuildText(std::uint32_t build_number) { return std::to_string(build_number & 0xFFFF); }

std::string ExtraVersionText(const char* text, std::size_t capacity) {
  return std::string(text, strnlen(text, capacity));
}

std::string ProcessorCountText(std::uint32_t count) { return std::to_string(count) + " Systemprozessor(en)"; }

std::string SpeedText(std::uint32_t megahertz) { return std::to_string(megahertz) + " MHz"; }

std::string MemoryText(std::uint64_t total_bytes) {
  constexpr std::uint64_t kBytesPerKilobyte = 1024;
  return std::to_string(total_bytes / kBytesPerKilobyte) + " KB";
}

bool NtRequirementFails(std::uint32_t platform_id, const std::string& require_nt) {
  return require_nt == "1" && platform_id != static_cast<std::uint32_t>(Platform::kWindowsNT);
}

}  // namespace stp
