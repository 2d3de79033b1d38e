#pragma once

#include <cstdint>
#include <string>

#include "setup/configuration.h"
#include "tool_error.h"

namespace stptool {

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
// when the medium keeps one folder per diskette. Refuses a medium whose
// names would leave the destination folder or whose file table does not
// add up, naming the entry, before anything is read from its setup data.
Medium OpenMedium(const std::string& folder);

// The medium has Setup.inf but no setup data beside it.
ToolError NoSetupDataError();

}  // namespace stptool
