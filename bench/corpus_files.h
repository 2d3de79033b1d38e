#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace stp::sample {

// The benchmarks' deterministic mixed corpus (MixedCorpus) written as files
// file0.dat, file1.dat, ... into folder (a core path ending in "\", made
// when missing).
struct CorpusFiles {
  std::vector<std::string> names;
  std::uint64_t bytes = 0;
};
CorpusFiles WriteCorpusFiles(const std::string& folder, std::size_t total_bytes, std::uint64_t seed);

}  // namespace stp::sample
