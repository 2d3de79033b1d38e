#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "lzh/Lzh_op.h"

// Helpers of the fuzz targets. A broken expectation aborts, so that libFuzzer
// keeps the input that caused it.
namespace stp::fuzz {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

// Decodes stream through a component with the largest buffers, in one piece
// or one byte per OnGetBytes call.
inline std::vector<std::uint8_t> DecodeWhole(std::span<const std::uint8_t> stream,
                                             bool byte_by_byte = false) {
  std::vector<std::uint8_t> output;
  TLZHCompressor codec;
  codec.SetReadBufSize(kLargestBufSize);
  codec.SetWriteBufSize(kLargestBufSize);
  std::size_t read = 0;
  codec.OnGetBytes = [&](TCustomLZHCompressor&, BufType& DTA, std::uint16_t NBytes,
                         std::uint16_t& Bytes_Got) {
    const std::size_t n =
        std::min({std::size_t{NBytes}, byte_by_byte ? 1 : stream.size(), stream.size() - read});
    std::copy_n(stream.begin() + read, n, DTA.begin());
    read += n;
    Bytes_Got = static_cast<std::uint16_t>(n);
  };
  codec.OnPutBytes = [&](TCustomLZHCompressor&, BufType& DTA, std::uint16_t NBytes, std::uint16_t&) {
    output.insert(output.end(), DTA.begin(), DTA.begin() + NBytes);
  };
  codec.Decompress();
  return output;
}

}  // namespace stp::fuzz
