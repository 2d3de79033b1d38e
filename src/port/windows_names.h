#pragma once

#include <string_view>

namespace stp::port {

// Characters that no part of a Windows path may hold, besides control
// characters and the separators.
inline constexpr std::string_view kCharactersRefusedInNames = "<>:\"|?*";

// "CON", "nul.txt", "COM1.log", "LPT¹" and the like name devices in every
// folder, whatever follows their first dot and in any letter case: Windows
// opens the device instead of a file of that name. The superscript digits
// are Windows-1252 bytes, which Windows takes for digits.
bool IsDeviceName(std::string_view part);

}  // namespace stp::port
