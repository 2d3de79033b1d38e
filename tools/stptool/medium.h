#pragma once

#include <cstdint>
#include <string>

#include "port/file_system.h"
#include "setup/configuration.h"
#include "tool_error.h"

namespace stptool {

// The largest Setup.inf the tool reads or writes. A Setup.inf lists one
// line of at most 1,023 characters per file; 8 MiB hold 8,000 entries of
// the longest kind, or some 80,000 of the usual hundred characters, where
// real products have hundreds. A diskette medium must even fit Setup.inf on
// its first diskette (1.44 MB) beside Setup.exe. Anything larger is no
// medium's, and is refused before it is read into memory.
inline constexpr std::int64_t kLargestSetupInf = 8 * 1024 * 1024;

// The last moment a file time can name: the year 30828. Windows refuses
// later times, and POSIX file systems cannot stamp them either.
inline constexpr stp::port::FileTime kLatestFileTime = 0x7FFFFFFFFFFFFFFF;

// A medium as list and extract read it.
struct Medium {
  // The folder of Setup.inf, ending in "\".
  std::string source_directory;
  stp::SetupConfiguration configuration;
  stp::FileTable files;
  stp::LinkTable links;
  std::int32_t total_bytes;
};

// Reads Setup.inf from the folder (a core path), or from its Disk1 folder
// when the medium keeps one folder per diskette. Before anything is read
// from its setup data, refuses as damaged (ToolError) a Setup.inf that is
// empty, larger than kLargestSetupInf or without a file table, and a table
// whose names would leave the destination folder, whose times no file can
// carry or whose entries do not add up, naming the entry. A Setup.inf or
// volume that cannot be read is a user error.
Medium OpenMedium(const std::string& folder);

// The medium has Setup.inf but no setup data beside it.
ToolError NoSetupDataError();

}  // namespace stptool
