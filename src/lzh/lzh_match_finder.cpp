#include "lzh/lzh_match_finder.h"

#include <bit>
#include <cstring>

namespace stp::lzh {
namespace {

constexpr unsigned kHashBits = 14;
// More than the window, so that a position at the full distance of
// kDictionarySize still has its own slot.
constexpr std::uint32_t kSlots = 2 * kDictionarySize;
constexpr std::uint32_t kNone = 0xFFFFFFFF;
// Bounds the walk on pathological texts; real texts stay far below it.
constexpr unsigned kMaxWalk = 64;

std::uint32_t Hash3(const std::uint8_t* bytes) {
  const std::uint32_t key = std::uint32_t{bytes[0]} << 16 | std::uint32_t{bytes[1]} << 8 | bytes[2];
  return (key * 2654435761u) >> (32 - kHashBits);
}

// Extends a common prefix of known length up to limit, eight bytes at a time
// where the platform allows it.
unsigned MatchingLength(const std::uint8_t* a, const std::uint8_t* b, unsigned length, unsigned limit) {
  if constexpr (std::endian::native == std::endian::little) {
    while (length < limit) {
      std::uint64_t x;
      std::uint64_t y;
      std::memcpy(&x, a + length, sizeof x);
      std::memcpy(&y, b + length, sizeof y);
      if (x != y) {
        length += static_cast<unsigned>(std::countr_zero(x ^ y)) / 8;
        return length < limit ? length : limit;
      }
      length += 8;
    }
    return limit;
  } else {
    while (length < limit && a[length] == b[length]) ++length;
    return length;
  }
}

}  // namespace

MatchFinder::MatchFinder() : head_(std::size_t{1} << kHashBits, kNone), children_(2 * kSlots, kNone) {}

template <bool kReport>
unsigned MatchFinder::Insert(std::uint32_t position, const std::uint8_t* current, unsigned limit,
                             Match* matches) {
  const std::uint32_t hash = Hash3(current);
  std::uint32_t candidate = head_[hash];
  head_[hash] = position;

  // Where the next smaller and the next greater node found will hang.
  std::uint32_t* smaller = &children_[2 * (position % kSlots)];
  std::uint32_t* greater = smaller + 1;
  // Common prefix lengths with the smaller and the greater side so far; every
  // node still to be visited shares at least their minimum with current.
  unsigned smaller_length = 0;
  unsigned greater_length = 0;
  unsigned longest = kThreshold;
  unsigned found = 0;

  for (unsigned walk = 0;; ++walk) {
    const std::uint32_t distance = position - candidate;
    if (candidate == kNone || distance > kDictionarySize || walk == kMaxWalk) {
      *smaller = *greater = kNone;
      break;
    }
    std::uint32_t* pair = &children_[2 * (candidate % kSlots)];
    const std::uint8_t* other = current - distance;
    const unsigned length = MatchingLength(other, current, std::min(smaller_length, greater_length), limit);
    if (length > longest) {
      longest = length;
      if constexpr (kReport) {
        matches[found++] = {static_cast<std::uint16_t>(length), static_cast<std::uint16_t>(distance)};
      }
      if (length == limit) {
        // As long as the limit allows, the two are equal: current takes the
        // older node's place and subtrees.
        *smaller = pair[0];
        *greater = pair[1];
        break;
      }
    }
    if (other[length] < current[length]) {
      *smaller = candidate;
      smaller = pair + 1;
      candidate = *smaller;
      smaller_length = length;
    } else {
      *greater = candidate;
      greater = pair;
      candidate = *greater;
      greater_length = length;
    }
  }
  return found;
}

template unsigned MatchFinder::Insert<true>(std::uint32_t, const std::uint8_t*, unsigned, Match*);
template unsigned MatchFinder::Insert<false>(std::uint32_t, const std::uint8_t*, unsigned, Match*);

}  // namespace stp::lzh
