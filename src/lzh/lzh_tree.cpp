#include "lzh/lzh_tree.h"

#include <algorithm>
#include <bit>
#include <cstddef>

namespace stp::lzh {
namespace {

constexpr std::uint16_t kSentinel = 0xFFFF;

}  // namespace

void LzhTree::Init() {
  for (unsigned symbol = 0; symbol < kSymbolCount; ++symbol) {
    frequency_[symbol] = 1;
    child_[symbol] = symbol + kNodeCount;
    parent_[symbol + kNodeCount] = symbol;
  }
  for (unsigned first = 0, node = kSymbolCount; node < kNodeCount; first += 2, ++node) {
    frequency_[node] = frequency_[first] + frequency_[first + 1];
    child_[node] = first;
    parent_[first] = parent_[first + 1] = node;
  }
  std::fill(frequency_.begin() + kNodeCount, frequency_.end(), kSentinel);
  parent_[kRoot] = 0;
  mirror_[0] = kNoPosition;
  mirror_index_.fill(0);
  Mirror(1, kRoot);
}

// Halves every leaf's count (rounding up, so none drops to 0) and builds the
// internal nodes anew, each inserted after every node that counts no more.
void LzhTree::Rebuild() {
  unsigned leaves = 0;
  for (unsigned node = 0; node < kNodeCount; ++node) {
    if (child_[node] >= kNodeCount) {
      frequency_[leaves] = (frequency_[node] + 1) / 2;
      child_[leaves] = child_[node];
      ++leaves;
    }
  }
  for (unsigned first = 0, node = kSymbolCount; node < kNodeCount; first += 2, ++node) {
    const std::uint16_t count = frequency_[first] + frequency_[first + 1];
    unsigned place = node;
    while (count < frequency_[place - 1]) --place;
    std::copy_backward(frequency_.begin() + place, frequency_.begin() + node, frequency_.begin() + node + 1);
    std::copy_backward(child_.begin() + place, child_.begin() + node, child_.begin() + node + 1);
    frequency_[place] = count;
    child_[place] = first;
  }
  for (unsigned node = 0; node < kNodeCount; ++node) {
    const unsigned first = child_[node];
    parent_[first] = node;
    if (first < kNodeCount) parent_[first + 1] = node;
  }
  Mirror(1, kRoot);
}

// Mirrors the subtree of the node at position, whose heap index is index,
// level by level.
void LzhTree::Mirror(unsigned index, unsigned position) {
  const unsigned depth = std::bit_width(index) - 1;
  mirror_[index] = static_cast<std::uint16_t>(position);
  mirror_depth_[index] = static_cast<std::uint8_t>(depth);
  mirror_index_[position] = static_cast<std::uint16_t>(index);
  for (unsigned level = depth, begin = index; level < kMirroredLevels; ++level, begin *= 2) {
    for (unsigned i = begin; i < begin + (1u << (level - depth)); ++i) {
      const unsigned first = child_[mirror_[i]];
      if (first < kNodeCount) {
        for (const unsigned side : {0u, 1u}) {
          mirror_[2 * i + side] = static_cast<std::uint16_t>(first + side);
          mirror_depth_[2 * i + side] = static_cast<std::uint8_t>(level + 1);
          mirror_index_[first + side] = static_cast<std::uint16_t>(2 * i + side);
        }
      } else {
        // Every bit string that starts with a leaf's code leads to that leaf.
        mirror_[2 * i] = mirror_[2 * i + 1] = mirror_[i];
        mirror_depth_[2 * i] = mirror_depth_[2 * i + 1] = mirror_depth_[i];
      }
    }
  }
}

// The entries of x and y themselves stay; what hangs below them moved. On the
// lowest mirrored level nothing is mirrored below.
void LzhTree::RemirrorExchanged(unsigned x, unsigned y) {
  for (const unsigned position : {x, y}) {
    const unsigned index = MirrorIndexOf(position);
    if (index != 0 && std::bit_width(index) - 1 < kMirroredLevels) Mirror(index, position);
  }
}

LzhTree::Code LzhTree::CodeOf(unsigned symbol) const {
  Code code{0, 0};
  for (unsigned x = parent_[symbol + kNodeCount]; x != kRoot; x = parent_[x]) {
    code.bits |= (x & 1u) << code.length;
    ++code.length;
  }
  return code;
}

void LzhTree::CodeLengths(std::array<std::uint8_t, kSymbolCount>& lengths) const {
  std::array<std::uint8_t, kNodeCount> depth;
  depth[kRoot] = 0;
  // Parents sit above their children, so one downward sweep sees every
  // parent before its children.
  for (unsigned node = kRoot + 1; node-- > 0;) {
    const unsigned first = child_[node];
    if (first < kNodeCount) {
      depth[first] = depth[first + 1] = depth[node] + 1;
    } else {
      lengths[first - kNodeCount] = depth[node];
    }
  }
}

}  // namespace stp::lzh
