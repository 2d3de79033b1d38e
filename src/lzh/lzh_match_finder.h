#pragma once

#include <cstdint>
#include <vector>

#include "lzh/lzh_format.h"

namespace stp::lzh {

struct Match {
  std::uint16_t length;
  std::uint16_t distance;  // 1 to kDictionarySize
};

// Finds the matches of each position of a text within the kDictionarySize
// bytes before it. The strings of the window are kept in one binary search
// tree per hash of their first three bytes; every new position becomes the
// root of its tree, so nodes below a node are older than it and a walk can
// stop at the first node that has left the window.
//
// The finder keeps positions only, not the text: each call gets a pointer
// to the text at its position, so the text may lie in a buffer that slides
// along a stream. The kDictionarySize bytes before that pointer and limit +
// kOverread bytes from it on must be readable.
class MatchFinder {
 public:
  // Every position must be given to Find or Skip once, in ascending order.
  static constexpr unsigned kOverread = 8;
  static constexpr unsigned kMaxMatches = kLongestMatch - kThreshold;

  MatchFinder();

  // Stores the matches at position (whose text starts at current) in
  // matches, lengths strictly ascending (each at most limit, the text left),
  // and returns how many there are. limit must be at least kShortestMatch.
  unsigned Find(std::uint32_t position, const std::uint8_t* current, unsigned limit, Match* matches) {
    return Insert<true>(position, current, limit, matches);
  }
  // Inserts position without reporting its matches.
  void Skip(std::uint32_t position, const std::uint8_t* current, unsigned limit) {
    Insert<false>(position, current, limit, nullptr);
  }

 private:
  template <bool kReport>
  unsigned Insert(std::uint32_t position, const std::uint8_t* current, unsigned limit, Match* matches);

  std::vector<std::uint32_t> head_;
  // Per position (modulo kSlots): its smaller and its greater subtree.
  std::vector<std::uint32_t> children_;
};

}  // namespace stp::lzh
