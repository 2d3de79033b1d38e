#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "port/file_system.h"
#include "product_description.h"
#include "progress.h"

namespace stptool {

// Where the volumes of a medium lie.
enum class DiskFolders {
  // Beside Setup.inf.
  kNone,
  // In folders Disk1, Disk2, ... below the folder of Setup.inf.
  kBelow,
  // In folders Disk1, Disk2, ... beside one another, with Setup.inf,
  // Setup.exe and setup.bmp in Disk1 (one folder per diskette).
  kBeside,
};

struct PackOptions {
  // 0: the setup data as one Setup.stp. Otherwise the size of the first
  // volume Setup1.stp; every later volume holds 1457664 bytes but the last.
  std::int64_t first_volume_size = 0;
  DiskFolders disk_folders = DiskFolders::kNone;
  // Core paths of files copied as setup.bmp and Setup.exe; empty: none.
  std::string picture;
  std::string setup_program;
};

struct PackedFile {
  std::string target;
  std::int32_t offset;
  std::int32_t compressed_size;
  std::uint32_t size;
  stp::port::FileTime time;
};

struct PackResult {
  // The folder of Setup.inf, ending in "\".
  std::string setup_directory;
  std::vector<PackedFile> files;
  std::int32_t data_size;
  // 0 for Setup.stp.
  int volumes;
};

// Builds a medium in out_directory (missing or empty) from the description
// and the files below source_directory (core paths). Throws ToolError; a
// failed run leaves nothing of the medium behind.
PackResult Pack(const ProductDescription& description, const std::string& source_directory,
                const std::string& out_directory, const PackOptions& options, Progress& progress);

// A file time as Setup.inf keeps it: "low&high", each half a signed 32-bit
// decimal number, so that a low half of 2^31 or more is negative.
std::string FileTimeText(stp::port::FileTime time);

}  // namespace stptool
