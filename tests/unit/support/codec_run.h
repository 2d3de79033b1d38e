#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace stp::test {

// What one Decompress call of a TLZHCompressor produced and how it called
// its events.
struct CodecRun {
  std::vector<std::uint8_t> output;
  std::vector<std::uint16_t> put_sizes;  // NBytes of every OnPutBytes call
  int get_calls = 0;
};

struct CodecSetup {
  std::uint16_t read_size = 32768;
  std::uint16_t write_size = 32768;
  // Most bytes OnGetBytes hands over per call.
  std::size_t chunk = SIZE_MAX;
};

CodecRun RunCodec(std::span<const std::uint8_t> stream, const CodecSetup& setup = {});

inline std::vector<std::uint8_t> Decode(std::span<const std::uint8_t> stream) {
  return RunCodec(stream).output;
}

}  // namespace stp::test
