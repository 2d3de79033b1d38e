#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Deterministic sample data for the benchmarks and fuzz targets: the same seed
// always gives the same bytes, on every platform.
namespace stp::sample {

enum class Kind {
  kText,    // German-flavoured prose in Windows-1252, CR LF lines
  kBinary,  // program-like: code templates, address tables, strings, padding
  kRuns,    // runs of one byte and short repeated patterns
  kRandom,  // uniform bytes, as in already compressed files
};

std::vector<std::uint8_t> Generate(Kind kind, std::size_t size, std::uint64_t seed);

struct File {
  Kind kind;
  std::vector<std::uint8_t> bytes;
};

// Files of every kind, 1 KiB to 1 MiB each, together at least total bytes:
// 35 % text, 35 % binaries, 10 % runs, 20 % random.
std::vector<File> MixedCorpus(std::size_t total, std::uint64_t seed);

}  // namespace stp::sample
