#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "setup/configuration.h"
#include "support/temp_dir.h"

namespace stp::test {

struct MediumFile {
  std::string target;
  std::string content;
  std::string time = "-1&30000000";  // low half 0xFFFFFFFF, written negative
};

// Compresses the files into setup data below dir, one Setup.stp or, with a
// first volume size, volumes Setup1.stp, Setup2.stp, ... of which every one
// after the first holds 1457664 bytes but the last; writes the Setup.inf
// that lists them and returns its file table.
FileTable WriteMedium(const TempDir& dir, const std::vector<MediumFile>& files,
                      std::int64_t first_volume_size = 0);

// The compressed length of each file's image.
std::vector<std::size_t> ImageSizes(const std::vector<MediumFile>& files);

// Deterministic bytes that do not compress.
std::string RandomBytes(std::size_t count, unsigned seed);

}  // namespace stp::test
