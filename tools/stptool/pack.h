#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/setup_data_reader.h"
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

// A 1.44 MB diskette as DOS and Windows format it: of its 1,474,560 bytes,
// the boot sector, two allocation tables and the root folder take 16,896,
// which leaves 2,847 clusters of 512 bytes for files. Every volume after
// the first fills one such diskette exactly.
inline constexpr std::int64_t kDisketteBytes = 1457664;
inline constexpr std::int64_t kClusterBytes = 512;
static_assert(kDisketteBytes == stp::SetupDataReader::kLaterVolumeSize);

// The bytes a file of that size takes on a diskette: whole clusters.
constexpr std::int64_t OnDiskette(std::int64_t size) {
  return (size + kClusterBytes - 1) / kClusterBytes * kClusterBytes;
}

struct PackOptions {
  // 0: the setup data as one Setup.stp. Otherwise the size of the first
  // volume Setup1.stp (at most kDisketteBytes); every later volume holds
  // kDisketteBytes but the last.
  std::int64_t first_volume_size = 0;
  DiskFolders disk_folders = DiskFolders::kNone;
  // Core paths of files copied as setup.bmp and Setup.exe; empty: none.
  std::string picture;
  std::string setup_program;
  // Volumes, the first as large as the room that Setup.exe, Setup.inf and
  // setup.bmp leave on the first diskette (first_volume_size is not used).
  bool fit_first_disk = false;
  // Core path of the launcher, installed as kLauncherTarget after the
  // described files; empty: none.
  std::string launcher = {};
};

// Where the uninstall entry of an installation looks for the program that
// removes the product, below the destination.
inline constexpr std::string_view kLauncherTarget = "Setup\\LAUNCHER.EXE";

// The value of pack's -v: a whole number of bytes, also as k (1024 bytes)
// or M (1000k, the megabyte of diskette labels, so that 1.44M is 1440k)
// with a decimal fraction that gives whole bytes; or "auto", given back as
// nullopt. Refuses anything that cannot be a first volume (ToolError).
std::optional<std::int64_t> ParseVolumeSize(std::string_view text);

struct PackedFile {
  std::string target;
  std::int32_t offset;
  std::int32_t compressed_size;
  std::uint32_t size;
  stp::port::FileTime time;
  // CRC-32 of the content.
  std::uint32_t crc;
};

struct PackResult {
  // The folder of Setup.inf, ending in "\".
  std::string setup_directory;
  std::vector<PackedFile> files;
  std::int32_t data_size;
  // 0 for Setup.stp.
  int volumes;
  // The size asked for or worked out; 0 for Setup.stp.
  std::int64_t first_volume_size;
  // What the first diskette must hold, in whole clusters, where it holds
  // Setup.exe, Setup.inf and setup.bmp beside Setup1.stp (volumes beside
  // Setup.inf, or -d beside); 0 otherwise.
  std::int64_t first_disk_bytes;
};

// Builds a medium in out_directory (missing or empty) from the description
// and the files below source_directory (core paths). Setup.inf lists each
// file's size and CRC-32 in section Checksums, so that list, extract, test
// and Setup.exe can tell damaged data. Throws ToolError; a
// failed or interrupted run (signals.h) leaves nothing of the medium behind.
// Memory does not grow with the size of the files.
PackResult Pack(const ProductDescription& description, const std::string& source_directory,
                const std::string& out_directory, const PackOptions& options, Progress& progress);

// Whether the files install kLauncherTarget (letter case does not count, as
// on Windows). Without it, the uninstall entry that an installation makes
// starts nothing.
bool InstallsLauncher(const std::vector<PackedFile>& files);

// A file time as Setup.inf keeps it: "low&high", each half a signed 32-bit
// decimal number, so that a low half of 2^31 or more is negative.
std::string FileTimeText(stp::port::FileTime time);

}  // namespace stptool
