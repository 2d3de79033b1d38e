#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The texts of the system information page, composed from what the system
// reports; all numbers as plain decimals without thousands separators.
namespace stp {

// Platform identifiers as the system's version query reports them.
enum class Platform : std::uint32_t { kWin32s = 0, kWindows = 1, kWindowsNT = 2 };

// "Windows 3.1 mit Win32s", "Windows" or "Windows NT"; empty for any other identifier.
std::string PlatformName(std::uint32_t platform_id);
// Major and minor version joined by ".", for example 4.10 or 4.0.
std::string VersionText(std::uint32_t major, std::uint32_t minor);
// The low 16 bits of the build number; Windows 95/98 keep the version in the high ones.
std::string BuildText(std::uint32_t build_number);
// The extra version text (service pack) up to its first zero character.
std::string ExtraVersionText(const char* text, std::size_t capacity);
std::string ProcessorCountText(std::uint32_t count);
std::string SpeedText(std::uint32_t megahertz);
// Whole kilobytes, the fraction dropped. Counted in 64 bits: machines have
// more memory than 32 bits can hold.
std::string MemoryText(std::uint64_t total_bytes);

// Whether a product that asks for Windows NT ("1", nothing else) cannot run here.
bool NtRequirementFails(std::uint32_t platform_id, const std::string& require_nt);

}  // namespace stp
