#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace stp {

// Positions are counted in 32 bits, with the starting ring in front.
inline constexpr std::size_t kLzhLargestInput = 0xFFFF0000;

// Compresses data into one stream that the codec component (Lzh_op.h)
// decodes back into data: no header, the codes, then one 1 bit and 0 bits up
// to the byte boundary. Empty data gives an empty stream; data larger than
// kLzhLargestInput throws std::length_error.
//
// Each stretch of the input is parsed into the literals and matches that
// cost the fewest bits under the code lengths the adaptive tree has when the
// stretch begins.
std::vector<std::uint8_t> LzhEncode(std::span<const std::uint8_t> data);

}  // namespace stp
