#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "port/file_system.h"
#include "setup/configuration.h"
#include "setup/profile.h"
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

// A medium as list, extract and test read it.
struct Medium {
  // The folder of Setup.inf, ending in "\".
  std::string source_directory;
  stp::ProfileFile inf;
  stp::SetupConfiguration configuration;
  stp::FileTable files;
  stp::LinkTable links;
  std::int32_t total_bytes;
};

// Reads Setup.inf from the folder (a core path), or from its Disk1 folder
// when the medium keeps one folder per diskette, and loads its tables.
// Refuses as damaged (ToolError) a Setup.inf that is empty, larger than
// kLargestSetupInf or without a file table; one that cannot be read is a
// user error. Nothing else is checked.
Medium ReadMedium(const std::string& folder);

// What is wrong with each entry of the file table on its own or with its
// neighbours' offsets, one line each in table order, naming the entry: a
// name that would leave the destination folder or that Windows cannot
// keep, a number that is none, a time no file can carry, offsets that run
// backwards, a malformed or missing checksum where Setup.inf has them.
struct TableProblem {
  int index;  // 0-based
  std::string message;
};
std::vector<TableProblem> TableProblems(const Medium& medium);

// ReadMedium, then, before anything is read from its setup data, refuses as
// damaged a medium with a table problem (the first one), and as a user
// error a volume that cannot be read.
Medium OpenMedium(const std::string& folder);

// The files of the setup data where Setup looks for them: Setup.stp alone
// (number 0), or the volumes Setup1.stp, Setup2.stp, ... by number from 1,
// up to the last one of an unbroken run and at least up to at_least, with
// an empty path for a number that has none.
struct VolumeFile {
  int number;
  std::string path;
};
std::vector<VolumeFile> FindVolumes(const std::string& source_directory, int at_least);

// The medium has Setup.inf but no setup data beside it.
ToolError NoSetupDataError();

}  // namespace stptool
