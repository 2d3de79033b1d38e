#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "setup/profile.h"

namespace stp {

// A colour as Setup.inf writes it: 0x00BBGGRR, red in the lowest byte.
using Colour = std::uint32_t;

// Section General of Setup.inf as the backdrop window reads it at start.
// The texts are kept exactly as read; switches compare with exactly "1".
struct SetupConfiguration {
  std::string Organisation;
  std::string Product;
  std::string Version;
  std::string EVersion;
  std::string DefDirectory;
  std::string RequireNT = "0";
  std::string RebootSystem = "1";
  Colour BackCl = 0x808000;
  Colour FontCl = 0xFFFFFF;
  Colour ShadowCl = 0x000000;
};

SetupConfiguration ReadSetupConfiguration(const ProfileFile& inf);

// Organisation + " " + Product + " " + Version, one blank between the parts
// even when a part is empty.
std::string ProductTitle(const SetupConfiguration& config);
// The product title followed directly by "-Setup"; also the application title.
std::string WindowCaption(const SetupConfiguration& config);
// "Software\" + Organisation + "\" + Product + "\" + EVersion, below
// HKEY_LOCAL_MACHINE.
std::string ProductKey(const SetupConfiguration& config);
// The destination the destination page proposes: DefDirectory when it is
// set, otherwise "C:\Programme\" + Organisation + " " + Product.
std::string InitialDestination(const SetupConfiguration& config);
// Organisation + Product + Version with nothing between them: the name of
// the uninstall entry (Version, not EVersion).
std::string UninstallEntryName(const SetupConfiguration& config);
// The name under which a running Setup claims its product, so that a second
// copy can tell (a kernel object name: no "\"). It stands for Organisation
// and Product in any letter case, whatever the version: versions of one
// product share the proposed destination, and so the installation record.
std::string SetupRunName(const SetupConfiguration& config);

// Section Files: ordered texts, converted to numbers only where used.
// FileOffsets holds one item more than the table has entries: NextOffset.
struct FileTable {
  std::vector<std::string> FileTargets;
  std::vector<std::string> FileOffsets;
  std::vector<std::string> FileTimes;
  // Section Checksums where Setup.inf has one: for each entry, the value
  // under its key (empty where there is none).
  std::optional<std::vector<std::string>> FileChecks;
};

// The section that stptool pack adds beside Files: under each file's key,
// its size and CRC-32 as "size,crc", the size in decimal, the CRC in 8
// hexadecimal digits ("3000,1A2B3C4D"). A setup program of old reads only
// General, Files and Links, so the section costs it nothing.
inline constexpr std::string_view kChecksumSection = "Checksums";

// A file's uncompressed size and the CRC-32 of its content.
struct FileCheck {
  std::uint32_t size;
  std::uint32_t crc;
  bool operator==(const FileCheck&) const = default;
};

// Reads a Checksums value: exactly a size of 1 to 10 decimal digits (at
// most 2147483647, the largest size Setup.inf can count) and 8 hexadecimal
// digits; nothing else, not even a sign or a blank.
std::optional<FileCheck> ParseFileCheck(std::string_view text);
// The value as pack writes it; ParseFileCheck reads it back.
std::string FileCheckText(const FileCheck& check);

// Section Links: shortcut names below the Programs folder and their targets
// relative to the destination directory.
struct LinkTable {
  std::vector<std::string> LinkNames;
  std::vector<std::string> LinkTargets;
};

// Files, NextOffset and, where there is one, section Checksums.
FileTable LoadFileTable(const ProfileFile& inf);
LinkTable LoadLinkTable(const ProfileFile& inf);
// [General] Bytes: the total of uncompressed bytes, default 0.
std::int32_t ReadTotalBytes(const ProfileFile& inf);

}  // namespace stp
