#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace stp {

// Positions are counted in 32 bits, with the starting ring in front.
inline constexpr std::size_t kLzhLargestInput = 0xFFFF0000;

// Fills buffer with up to count bytes of the input and returns how many;
// none only at the end of the input.
using LzhSource = std::function<std::size_t(std::uint8_t* buffer, std::size_t count)>;
// Takes the next bytes of the stream.
using LzhSink = std::function<void(std::span<const std::uint8_t> bytes)>;

// Compresses the input into one stream that the codec component (Lzh_op.h)
// decodes back into it: no header, the codes, then one 1 bit and 0 bits up
// to the byte boundary. Empty input gives an empty stream; input larger
// than kLzhLargestInput throws std::length_error. What source and sink
// throw passes through.
//
// Each stretch of the input is parsed into the literals and matches that
// cost the fewest bits under the code lengths the adaptive tree has when the
// stretch begins. The input passes through a buffer of a fixed size, so the
// memory needed does not grow with the input, and the stream does not
// depend on how the source cuts the input into pieces.
void LzhEncode(const LzhSource& source, const LzhSink& sink);

// The same for data in memory, returning the stream.
std::vector<std::uint8_t> LzhEncode(std::span<const std::uint8_t> data);

}  // namespace stp
