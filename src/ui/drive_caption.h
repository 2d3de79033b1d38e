#pragma once

#include <optional>
#include <string>

namespace ui {

enum class DriveKind { kRemovable, kFixed, kCdRom, kRamDisk, kNetwork };

// How the drive selector names a drive: the letter and a colon; for fixed,
// CD-ROM and RAM drives a blank and the volume name in square brackets; for
// a network drive a blank and the network path of its connection, or the
// bracketed volume name when that path is unknown. Without a volume name (a
// drive without medium) only the letter and the colon remain. All in
// capitals, Windows-1252 letters included.
std::string DriveCaption(char letter, DriveKind kind, const std::optional<std::string>& volume_name,
                         const std::optional<std::string>& network_path);

// Windows-1252 upper case, as the system's ANSI functions make it.
std::string AnsiUpper(std::string text);

}  // namespace ui
