#pragma once

#include <cstdint>
#include <span>
#include <vector>

// A plain, independent rendering of the LZH codec: the decoding algorithm
// step by step (16-bit register, one byte per request), a writer for chosen
// token sequences, and a greedy encoder with a full longest-match search.
// The benchmarks use it as the classic baseline, the fuzz targets as an oracle.
namespace stp::reference {

struct Decoded {
  std::vector<std::uint8_t> bytes;
  // How many of the last bytes came from a code that was only the trailer's
  // 1 bit: the stream's last byte is 0x80 and the code opened it.
  std::size_t trailer_bytes = 0;
  // How often the decoder asked its source for a byte, also after the source
  // had run dry.
  std::size_t requests = 0;
};

// Decodes exactly as the algorithm reads, the trailer case included.
Decoded Decode(std::span<const std::uint8_t> stream);

// A literal (length 0: value is the byte) or a match (length 3-60, value is
// the distance 1-4096).
struct Token {
  std::uint16_t length;
  std::uint16_t value;
};

inline Token Literal(std::uint8_t byte) { return {0, byte}; }
inline Token Copy(unsigned length, unsigned distance) {
  return {static_cast<std::uint16_t>(length), static_cast<std::uint16_t>(distance)};
}

// The stream of exactly these tokens, with its trailer (empty for none).
std::vector<std::uint8_t> Encode(std::span<const Token> tokens);
// What the tokens decode to, from the ring a stream starts with.
std::vector<std::uint8_t> Expand(std::span<const Token> tokens);
// Greedy parse: at each position the longest match in the window (the
// nearest of equal length), a literal when it is shorter than 3.
std::vector<Token> ParseGreedy(std::span<const std::uint8_t> data);

}  // namespace stp::reference
