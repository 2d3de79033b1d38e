#pragma once

#include <array>
#include <cstdint>

// The compressed stream: an LZSS ring of the last 4096 output bytes whose
// literals and match lengths share one adaptive Huffman code (lzh_tree.h),
// each match length followed by its position in a fixed prefix code. There is
// no header and no end symbol; the stream ends where its bytes end, after a
// trailer of one 1 bit and 0 bits up to the byte boundary.
namespace stp::lzh {

inline constexpr unsigned kDictionarySize = 4096;
inline constexpr unsigned kDictionaryMask = kDictionarySize - 1;
inline constexpr unsigned kLongestMatch = 60;
// Matches this short cost more than their literals and are never coded.
inline constexpr unsigned kThreshold = 2;
inline constexpr unsigned kShortestMatch = kThreshold + 1;

// Symbols 0-255 are literal bytes, the rest match lengths 3-60.
inline constexpr unsigned kLiteralCount = 256;
inline constexpr unsigned kSymbolCount = kLiteralCount + kLongestMatch - kThreshold;
inline constexpr unsigned kNodeCount = 2 * kSymbolCount - 1;
inline constexpr unsigned kRoot = kNodeCount - 1;
// The tree is halved when its root reaches this count.
inline constexpr std::uint16_t kFrequencyLimit = 0x8000;

// A stream starts with spaces behind the write position and, ahead of it,
// the zeros of a fresh ring that matches may read before they are written.
inline constexpr unsigned kDictionaryStart = kDictionarySize - kLongestMatch;
inline constexpr std::uint8_t kDictionaryFill = 0x20;

static_assert(kSymbolCount == 314 && kNodeCount == 627 && kDictionaryStart == 4036);

constexpr unsigned MatchSymbol(unsigned length) { return length + kLiteralCount - kShortestMatch; }
constexpr unsigned MatchLength(unsigned symbol) { return symbol + kShortestMatch - kLiteralCount; }

// A match position p = distance - 1 is sent as its upper 6 bits in a
// canonical prefix code of 3 to 8 bits, then its lower 6 bits as they are.
inline constexpr unsigned kPositionLowBits = 6;
inline constexpr unsigned kPositionLowMask = (1u << kPositionLowBits) - 1;
inline constexpr unsigned kPositionUpperCount = kDictionarySize >> kPositionLowBits;
inline constexpr unsigned kLongestPrefixBits = 8;
inline constexpr unsigned kLongestPositionBits = kLongestPrefixBits + kPositionLowBits;

constexpr unsigned PositionPrefixLength(unsigned upper) {
  if (upper < 1) return 3;
  if (upper < 4) return 4;
  if (upper < 12) return 5;
  if (upper < 24) return 6;
  if (upper < 48) return 7;
  return 8;
}

struct PrefixCode {
  std::uint8_t code;  // right-aligned
  std::uint8_t length;
};

// Canonical: consecutive codes in ascending order of the upper bits,
// starting from all zeros.
constexpr std::array<PrefixCode, kPositionUpperCount> MakePositionPrefixCodes() {
  std::array<PrefixCode, kPositionUpperCount> codes{};
  unsigned code = 0;
  unsigned length = PositionPrefixLength(0);
  for (unsigned upper = 0; upper < kPositionUpperCount; ++upper) {
    const unsigned next_length = PositionPrefixLength(upper);
    code <<= next_length - length;
    length = next_length;
    codes[upper] = {static_cast<std::uint8_t>(code), static_cast<std::uint8_t>(length)};
    ++code;
  }
  return codes;
}

inline constexpr std::array<PrefixCode, kPositionUpperCount> kPositionPrefixCodes = MakePositionPrefixCodes();

// What the next 8 bits of a stream say about a position: its upper bits and
// the length of their code.
struct PositionPrefix {
  std::uint8_t upper;
  std::uint8_t length;
};

constexpr std::array<PositionPrefix, 256> MakePositionPrefixTable() {
  std::array<PositionPrefix, 256> table{};
  for (unsigned upper = 0; upper < kPositionUpperCount; ++upper) {
    const PrefixCode code = kPositionPrefixCodes[upper];
    const unsigned free_bits = kLongestPrefixBits - code.length;
    for (unsigned rest = 0; rest < (1u << free_bits); ++rest) {
      table[(code.code << free_bits) | rest] = {static_cast<std::uint8_t>(upper), code.length};
    }
  }
  return table;
}

inline constexpr std::array<PositionPrefix, 256> kPositionPrefixTable = MakePositionPrefixTable();

static_assert(kPositionPrefixCodes[kPositionUpperCount - 1].code == 0xFF,
              "the position prefix code must fill its 8-bit space exactly");

}  // namespace stp::lzh
