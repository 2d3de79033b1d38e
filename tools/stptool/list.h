#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "medium.h"
#include "port/file_system.h"
#include "progress.h"
#include "tool_error.h"
#include "tool_host.h"

namespace stptool {

struct ListedFile {
  std::string target;
  std::int32_t compressed_size;
  std::uint64_t size;
  stp::port::FileTime time;
  // The volume its image starts in; 0 for Setup.stp.
  int volume;
};

// Decodes every image of the medium, writing nothing, to learn its size,
// and checks its size and CRC-32 where Setup.inf stores them. Throws
// ToolError; content that is not the stored one is a damaged medium.
std::vector<ListedFile> ListMedium(const Medium& medium, const DiskPrompt& prompt, Progress& progress);

// "YYYY-MM-DD hh:mm:ss", UTC.
std::string FileTimeUtc(stp::port::FileTime time);

}  // namespace stptool
