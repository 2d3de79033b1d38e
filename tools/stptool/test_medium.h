#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "medium.h"
#include "progress.h"

namespace stptool {

struct TestResult {
  int files;
  // The files' bytes, as far as they are known: stored sizes where Setup.inf
  // has them, else decoded ones.
  std::uint64_t bytes;
  // 0 for Setup.stp.
  int volumes;
  bool with_checksums;
  int problems;
};

// Checks a medium without writing anything: its file table, the table
// against the setup data (offsets inside the volumes, NextOffset at the end
// of the data and nothing after it, Bytes the sum of the sizes where the
// sizes are known, every later volume exactly 1457664 bytes but the last,
// no volume missing or beyond the data), and decodes every image within its
// budget, checking its size and CRC-32 where Setup.inf stores them. Each
// problem goes to report as one line in English that names the entry, the
// file or volume and the numbers; the checks go on after a problem wherever
// the rest can still be checked. Volumes are looked for where Setup looks,
// without asking for any. Throws ToolError only for an interruption, and
// stp::IoError when a volume cannot be read.
TestResult TestMedium(const Medium& medium, Progress& progress,
                      const std::function<void(const std::string& problem)>& report);

}  // namespace stptool
