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
class MatchFinder {
 public:
  // The text must stay readable kOverread bytes past its end, and every
  // position must be given to Find or Skip once, in ascending order.
  static constexpr unsigned kOverread = 8;
  static constexpr unsigned kMaxMatches = kLongestMatch - kThreshold;

  explicit MatchFinder(const std::uint8_t* text);

  // Stores the matches at position in matches, lengths strictly ascending
  // (each at most limit, the text left), and returns how many there are.
  // limit must be at least kShortestMatch.
  unsigned Find(std::uint32_t position, unsigned limit, Match* matches) {
    return Insert<true>(position, limit, matches);
  }
  // Inserts position without reporting its matches.
  void Skip(std::uint32_t position, unsigned limit) { Insert<false>(position, limit, nullptr); }

 private:
  template <bool kReport>
  unsigned Insert(std::uint32_t position, unsigned limit, Match* matches);

  const std::uint8_t* text_;
  std::vector<std::uint32_t> head_;
  // Per position (modulo kSlots): its smaller and its greater subtree.
  std::vector<std::uint32_t> children_;
};

}  // namespace stp::lzh
