#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

#include "lzh/lzh_format.h"

namespace stp::lzh {

// The adaptive Huffman tree of literals and match lengths, the same in the
// decoder and the encoder. Its nodes form a sibling list sorted by frequency:
// the two children of an internal node sit at positions 2m and 2m + 1 (a 0
// bit selects the even one), and every node sits above its children.
//
// Since each leaf counts at least 1 and the root at most kFrequencyLimit, a
// leaf lies at most kLongestCodeBits deep: a node with a subtree of height h
// counts at least Fibonacci(h + 2), and Fibonacci(24) > 0x8000.
//
// For fast decoding the tree keeps a mirror of its upper kMirroredLevels
// levels in heap order, so that one lookup with the next bits of a stream
// finds the node they lead to, and its ancestors are found without following
// parents one by one. An exchange of two leaves leaves the mirror as it is
// (it holds positions, not symbols); any other exchange re-mirrors the two
// subtrees that moved, which happens seldom near the root.
class LzhTree {
 public:
  static constexpr unsigned kLongestCodeBits = 21;
  static constexpr unsigned kMirroredLevels = 8;

  // The tree every stream starts with: all symbols counted once.
  void Init();

  // A symbol as Decode found it, with what CountDecoded needs.
  struct Decoded {
    unsigned symbol;
    unsigned length;  // of its code, in bits
    unsigned index;   // heap index of the last mirrored node of the code
    unsigned below;   // how many positions of the code lie below the mirror
    std::array<std::uint16_t, kLongestCodeBits - kMirroredLevels> path;  // those, the leaf last
  };

  // Decodes the symbol whose code starts at the top of bits, which must hold
  // at least kLongestCodeBits valid bits.
  void Decode(std::uint64_t bits, Decoded& decoded) const {
    const unsigned index = (1u << kMirroredLevels) | static_cast<unsigned>(bits >> (64 - kMirroredLevels));
    const unsigned depth = mirror_depth_[index];
    decoded.index = index >> (kMirroredLevels - depth);
    unsigned next = child_[mirror_[index]];
    unsigned below = 0;
    bits <<= depth;
    while (next < kNodeCount) {
      next += static_cast<unsigned>(bits >> 63);
      decoded.path[below++] = static_cast<std::uint16_t>(next);
      next = child_[next];
      bits <<= 1;
    }
    decoded.symbol = next - kNodeCount;
    decoded.length = depth + below;
    decoded.below = below;
  }

  // Counts one more occurrence of symbol, halving all counts first when the
  // root has reached kFrequencyLimit.
  void Update(unsigned symbol) {
    if (frequency_[kRoot] == kFrequencyLimit) Rebuild();
    CountUpwardFrom(parent_[symbol + kNodeCount]);
  }

  // The same for a symbol just decoded: until a node has to move, the counts
  // to raise are those of its code, known without following parents.
  void CountDecoded(const Decoded& decoded) {
    if (frequency_[kRoot] == kFrequencyLimit) {
      Update(decoded.symbol);
      return;
    }
    for (unsigned i = decoded.below; i-- > 0;) {
      const unsigned x = decoded.path[i];
      const unsigned count = ++frequency_[x];
      if (count > frequency_[x + 1]) {
        CountUpwardFrom(parent_[MoveUp(x)]);
        return;
      }
    }
    const unsigned rest = CountMirrored(decoded.index);
    if (rest != 0) CountUpwardFrom(rest);
  }

  // For an internal node, the position of its first (even) child; for a
  // leaf, its symbol + kNodeCount.
  const std::uint16_t* Children() const { return child_.data(); }

  struct Code {
    std::uint32_t bits;  // right-aligned, the root's branch first
    unsigned length;
  };
  Code CodeOf(unsigned symbol) const;

  // The current code length of every symbol.
  void CodeLengths(std::array<std::uint8_t, kSymbolCount>& lengths) const;

 private:
  static constexpr std::uint16_t kNoPosition = 0xFFFF;

  void Rebuild();

  // Raises the counts from position x up to the root; from the first
  // mirrored node on, the ancestors come from the mirror.
  void CountUpwardFrom(unsigned x) {
    do {
      const unsigned index = MirrorIndexOf(x);
      if (index != 0) {
        x = CountMirrored(index);
      } else {
        const unsigned count = ++frequency_[x];
        if (count > frequency_[x + 1]) x = MoveUp(x);
        x = parent_[x];
      }
    } while (x != 0);  // the root's parent entry is 0
  }

  // Counts the mirrored node at index and its ancestors. Stops after a node
  // has moved and returns the parent to go on from, or 0 after the root.
  unsigned CountMirrored(unsigned index) {
    do {
      const unsigned x = mirror_[index];
      const unsigned count = ++frequency_[x];
      if (count > frequency_[x + 1]) return parent_[MoveUp(x)];
      index >>= 1;
    } while (index != 0);
    return 0;
  }

  // A node whose count has just passed its neighbour's trades places with the
  // last node of the run of equal counts it has overtaken, which keeps the
  // list sorted. Returns its new position.
  unsigned MoveUp(unsigned x) {
    const unsigned last = LastOfRun(x + 1);
    Exchange(x, last);
    return last;
  }

  // The last position of the run of equal counts that starts at first,
  // comparing four counts at a time where the platform allows it.
  unsigned LastOfRun(unsigned first) const {
    const std::uint16_t value = frequency_[first];
    if constexpr (std::endian::native == std::endian::little) {
      constexpr std::uint64_t kLanes = 0x0001000100010001;
      constexpr std::uint64_t kLow = 0x7FFF * kLanes;
      constexpr std::uint64_t kHigh = 0x8000 * kLanes;
      for (unsigned next = first + 1;; next += 4) {
        std::uint64_t counts;
        std::memcpy(&counts, &frequency_[next], sizeof counts);
        const std::uint64_t diff = counts ^ (value * kLanes);
        // The high bit of every lane whose count differs.
        const std::uint64_t differs = (((diff & kLow) + kLow) | diff) & kHigh;
        if (differs != 0) return next + static_cast<unsigned>(std::countr_zero(differs)) / 16 - 1;
      }
    } else {
      unsigned last = first;
      while (frequency_[last + 1] == value) ++last;
      return last;
    }
  }

  unsigned MirrorIndexOf(unsigned position) const {
    const unsigned index = mirror_index_[position];
    return mirror_[index] == position ? index : 0;
  }

  void Exchange(unsigned x, unsigned y) {
    std::swap(frequency_[x], frequency_[y]);
    const unsigned child_x = child_[x];
    const unsigned child_y = child_[y];
    child_[x] = static_cast<std::uint16_t>(child_y);
    child_[y] = static_cast<std::uint16_t>(child_x);
    parent_[child_x] = static_cast<std::uint16_t>(y);
    if (child_x < kNodeCount) parent_[child_x + 1] = static_cast<std::uint16_t>(y);
    parent_[child_y] = static_cast<std::uint16_t>(x);
    if (child_y < kNodeCount) parent_[child_y + 1] = static_cast<std::uint16_t>(x);
    if (child_x < kNodeCount || child_y < kNodeCount) RemirrorExchanged(x, y);
  }

  void RemirrorExchanged(unsigned x, unsigned y);
  void Mirror(unsigned index, unsigned position);

  // Entries 0-626: count of the node at each position; the entries after
  // them are sentinels above every count that end the scan for a run.
  std::array<std::uint16_t, kNodeCount + 4> frequency_;
  std::array<std::uint16_t, kNodeCount> child_;
  // Entries 0-626: parent position of each node (0 for the root); entry
  // kNodeCount + s: position of the leaf of symbol s.
  std::array<std::uint16_t, kNodeCount + kSymbolCount> parent_;
  // The upper levels in heap order: index 1 is the root, the children of
  // index i are 2i and 2i + 1. An entry holds a position; below a leaf every
  // entry repeats the leaf. Entry 0 holds no position.
  std::array<std::uint16_t, 2u << kMirroredLevels> mirror_;
  // The depth of each entry's position.
  std::array<std::uint8_t, 2u << kMirroredLevels> mirror_depth_;
  // Where each position was last mirrored. Positions that have since moved
  // below the mirror are not cleared: an index counts only while its entry
  // still holds the position, as no entry holds a position below the mirror.
  std::array<std::uint16_t, kNodeCount> mirror_index_;
};

}  // namespace stp::lzh
