#include "lzh/lzh_encoder.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>

#include "lzh/lzh_format.h"
#include "lzh/lzh_match_finder.h"
#include "lzh/lzh_tree.h"

namespace stp {
namespace {

using namespace lzh;

// Positions parsed under one set of code lengths; the tree's lengths drift as
// it adapts, so they are taken anew for every stretch.
constexpr unsigned kStretch = 1024;
constexpr std::uint32_t kUnreached = std::numeric_limits<std::uint32_t>::max();

class BitWriter {
 public:
  // count at most 32
  void Put(std::uint32_t bits, unsigned count) {
    pending_ = pending_ << count | bits;
    count_ += count;
    while (count_ >= 8) {
      count_ -= 8;
      bytes_.push_back(static_cast<std::uint8_t>(pending_ >> count_));
    }
  }

  // The trailer: one 1 bit, then 0 bits up to the byte boundary.
  std::vector<std::uint8_t> Finish() {
    Put(1, 1);
    if (count_ > 0) bytes_.push_back(static_cast<std::uint8_t>(pending_ << (8 - count_)));
    return std::move(bytes_);
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint64_t pending_ = 0;  // the low count_ bits
  unsigned count_ = 0;
};

unsigned PositionCost(unsigned distance) {
  return PositionPrefixLength((distance - 1) >> kPositionLowBits) + kPositionLowBits;
}

class Encoder {
 public:
  explicit Encoder(std::span<const std::uint8_t> data);
  std::vector<std::uint8_t> Run();

 private:
  // How the cheapest parse found so far reaches a position of the stretch.
  struct Step {
    std::uint32_t cost;
    std::uint16_t length;  // 1 for a literal
    std::uint16_t distance;
  };

  std::uint32_t ParseStretch(std::uint32_t start);
  void EmitPath(std::uint32_t start, std::uint32_t end);
  void EmitLiteral(std::uint8_t byte);
  void EmitMatch(unsigned length, unsigned distance);
  void EmitSymbol(unsigned symbol);
  unsigned Limit(std::uint32_t position) const { return std::min(kLongestMatch, end_ - position); }

  // The ring as a decoder starts it, oldest byte first (the zeros not yet
  // written, then the spaces behind the write position), followed by the
  // data: a match into the ring is a match into this text.
  std::vector<std::uint8_t> text_;
  std::uint32_t end_;
  MatchFinder finder_;
  LzhTree tree_;
  BitWriter writer_;
  std::array<std::uint8_t, kSymbolCount> code_lengths_;
  std::array<Step, kStretch + kLongestMatch + 1> steps_;
  std::array<Match, MatchFinder::kMaxMatches> matches_;
};

std::vector<std::uint8_t> MakeText(std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> text;
  text.reserve(kDictionarySize + data.size() + MatchFinder::kOverread);
  text.insert(text.end(), kLongestMatch, 0);
  text.insert(text.end(), kDictionaryStart, kDictionaryFill);
  text.insert(text.end(), data.begin(), data.end());
  text.insert(text.end(), MatchFinder::kOverread, 0);
  return text;
}

Encoder::Encoder(std::span<const std::uint8_t> data)
    : text_(MakeText(data)),
      end_(static_cast<std::uint32_t>(kDictionarySize + data.size())),
      finder_(text_.data()) {
  tree_.Init();
}

std::vector<std::uint8_t> Encoder::Run() {
  for (std::uint32_t position = 0; position < kDictionarySize; ++position) {
    if (Limit(position) >= kShortestMatch) finder_.Skip(position, Limit(position));
  }
  for (std::uint32_t position = kDictionarySize; position < end_;) position = ParseStretch(position);
  return writer_.Finish();
}

// Finds the cheapest parse of a stretch from start by dynamic programming
// over its positions, emits it and returns where the next stretch starts. A
// match of the longest length (or up to the end) is taken at once: nothing
// covers more, and runs stay cheap to parse.
std::uint32_t Encoder::ParseStretch(std::uint32_t start) {
  tree_.CodeLengths(code_lengths_);
  steps_[0].cost = 0;
  std::fill(steps_.begin() + 1, steps_.end(), Step{kUnreached, 0, 0});
  const auto relax = [this](unsigned at, std::uint32_t cost, unsigned length, unsigned distance) {
    if (cost < steps_[at].cost) {
      steps_[at] = {cost, static_cast<std::uint16_t>(length), static_cast<std::uint16_t>(distance)};
    }
  };

  std::uint32_t position = start;
  for (; position < end_ && position - start < kStretch; ++position) {
    const unsigned at = position - start;
    const std::uint32_t base = steps_[at].cost;
    relax(at + 1, base + code_lengths_[text_[position]], 1, 0);
    const unsigned limit = Limit(position);
    if (limit < kShortestMatch) continue;
    const unsigned found = finder_.Find(position, limit, matches_.data());
    if (found == 0) continue;

    const Match longest = matches_[found - 1];
    if (longest.length == limit) {
      EmitPath(start, position);
      EmitMatch(longest.length, longest.distance);
      for (unsigned k = 1; k < longest.length; ++k) {
        if (Limit(position + k) >= kShortestMatch) finder_.Skip(position + k, Limit(position + k));
      }
      return position + longest.length;
    }

    // A length is available at the distance of every match at least as long;
    // take the cheapest of them.
    unsigned best_cost = std::numeric_limits<unsigned>::max();
    unsigned best_distance = 0;
    for (unsigned m = found; m-- > 0;) {
      const unsigned cost = PositionCost(matches_[m].distance);
      if (cost < best_cost) {
        best_cost = cost;
        best_distance = matches_[m].distance;
      }
      const unsigned shortest = m > 0 ? matches_[m - 1].length + 1u : kShortestMatch;
      for (unsigned length = shortest; length <= matches_[m].length; ++length) {
        relax(at + length, base + code_lengths_[MatchSymbol(length)] + best_cost, length, best_distance);
      }
    }
  }
  EmitPath(start, position);
  return position;
}

void Encoder::EmitPath(std::uint32_t start, std::uint32_t end) {
  std::array<Step, kStretch> path;
  unsigned count = 0;
  for (unsigned at = end - start; at > 0; at -= steps_[at].length) path[count++] = steps_[at];
  for (std::uint32_t position = start; count > 0;) {
    const Step& step = path[--count];
    if (step.length == 1) {
      EmitLiteral(text_[position]);
    } else {
      EmitMatch(step.length, step.distance);
    }
    position += step.length;
  }
}

void Encoder::EmitLiteral(std::uint8_t byte) { EmitSymbol(byte); }

void Encoder::EmitMatch(unsigned length, unsigned distance) {
  EmitSymbol(MatchSymbol(length));
  const unsigned position = distance - 1;
  const PrefixCode prefix = kPositionPrefixCodes[position >> kPositionLowBits];
  writer_.Put(unsigned{prefix.code} << kPositionLowBits | (position & kPositionLowMask),
              prefix.length + kPositionLowBits);
}

void Encoder::EmitSymbol(unsigned symbol) {
  const LzhTree::Code code = tree_.CodeOf(symbol);
  writer_.Put(code.bits, code.length);
  tree_.Update(symbol);
}

}  // namespace

std::vector<std::uint8_t> LzhEncode(std::span<const std::uint8_t> data) {
  if (data.size() > kLzhLargestInput) throw std::length_error("LzhEncode: input larger than 4 GB");
  if (data.empty()) return {};
  return Encoder(data).Run();
}

}  // namespace stp
