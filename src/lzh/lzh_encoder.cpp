#include "lzh/lzh_encoder.h"

#include <algorithm>
#include <array>
#include <cstring>
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
// How far past its start a stretch reads the text: its positions, a match
// from its last one, and the matches looked for along that match.
constexpr std::uint32_t kLookahead = kStretch + 2 * kLongestMatch;
// The input is read in blocks of about this size; the buffer holds one, the
// ring before it and the lookahead behind it.
constexpr std::uint32_t kInputBlock = 256 * 1024;
constexpr std::uint32_t kWindowSize = kDictionarySize + kInputBlock + kLookahead;
// The stream goes to the sink in pieces of about this size.
constexpr std::size_t kOutputBlock = 64 * 1024;

class BitWriter {
 public:
  explicit BitWriter(const LzhSink& sink) : sink_(sink) { bytes_.reserve(kOutputBlock + 8); }

  // count at most 32
  void Put(std::uint32_t bits, unsigned count) {
    pending_ = pending_ << count | bits;
    count_ += count;
    while (count_ >= 8) {
      count_ -= 8;
      bytes_.push_back(static_cast<std::uint8_t>(pending_ >> count_));
    }
    if (bytes_.size() >= kOutputBlock) Flush();
  }

  // The trailer: one 1 bit, then 0 bits up to the byte boundary.
  void Finish() {
    Put(1, 1);
    if (count_ > 0) bytes_.push_back(static_cast<std::uint8_t>(pending_ << (8 - count_)));
    Flush();
  }

 private:
  void Flush() {
    if (bytes_.empty()) return;
    sink_(bytes_);
    bytes_.clear();
  }

  const LzhSink& sink_;
  std::vector<std::uint8_t> bytes_;
  std::uint64_t pending_ = 0;  // the low count_ bits
  unsigned count_ = 0;
};

unsigned PositionCost(unsigned distance) {
  return PositionPrefixLength((distance - 1) >> kPositionLowBits) + kPositionLowBits;
}

class Encoder {
 public:
  Encoder(const LzhSource& source, const LzhSink& sink);
  void Run();

 private:
  // How the cheapest parse found so far reaches a position of the stretch.
  struct Step {
    std::uint32_t cost;
    std::uint16_t length;  // 1 for a literal
    std::uint16_t distance;
  };

  // Reads on until the text reaches kLookahead past position or the input
  // ends, keeping the kDictionarySize bytes before position.
  void Fill(std::uint32_t position);
  std::uint32_t ParseStretch(std::uint32_t start);
  void EmitPath(std::uint32_t start, std::uint32_t end);
  void EmitLiteral(std::uint8_t byte);
  void EmitMatch(unsigned length, unsigned distance);
  void EmitSymbol(unsigned symbol);
  const std::uint8_t* Text(std::uint32_t position) const { return window_.data() + (position - base_); }
  unsigned Limit(std::uint32_t position) const { return std::min(kLongestMatch, end_ - position); }

  const LzhSource& source_;
  // The text from position base_ up to end_. The text is the ring as a
  // decoder starts it, oldest byte first (the zeros not yet written, then
  // the spaces behind the write position), followed by the input: a match
  // into the ring is a match into this text.
  std::vector<std::uint8_t> window_;
  std::uint32_t base_ = 0;
  std::uint32_t end_ = kDictionarySize;
  bool input_ended_ = false;
  MatchFinder finder_;
  LzhTree tree_;
  BitWriter writer_;
  std::array<std::uint8_t, kSymbolCount> code_lengths_;
  std::array<Step, kStretch + kLongestMatch + 1> steps_;
  std::array<Match, MatchFinder::kMaxMatches> matches_;
};

Encoder::Encoder(const LzhSource& source, const LzhSink& sink)
    : source_(source), window_(kWindowSize + MatchFinder::kOverread), writer_(sink) {
  std::fill_n(window_.begin() + kLongestMatch, kDictionaryStart, kDictionaryFill);
  tree_.Init();
}

void Encoder::Run() {
  Fill(kDictionarySize);
  if (end_ == kDictionarySize) return;  // no input, no stream
  for (std::uint32_t position = 0; position < kDictionarySize; ++position) {
    if (Limit(position) >= kShortestMatch) finder_.Skip(position, Text(position), Limit(position));
  }
  for (std::uint32_t position = kDictionarySize;;) {
    Fill(position);
    if (position == end_) break;
    position = ParseStretch(position);
  }
  writer_.Finish();
}

void Encoder::Fill(std::uint32_t position) {
  while (!input_ended_ && end_ - position < kLookahead) {
    if (end_ - base_ == kWindowSize) {
      const std::uint32_t keep = position - kDictionarySize;
      std::memmove(window_.data(), Text(keep), end_ - keep);
      base_ = keep;
    }
    const std::size_t room = kWindowSize - (end_ - base_);
    const std::size_t got = source_(window_.data() + (end_ - base_), room);
    if (got == 0) input_ended_ = true;
    if (std::uint64_t{end_} - kDictionarySize + got > kLzhLargestInput) {
      throw std::length_error("LzhEncode: input larger than 4 GB");
    }
    end_ += static_cast<std::uint32_t>(got);
  }
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
    relax(at + 1, base + code_lengths_[*Text(position)], 1, 0);
    const unsigned limit = Limit(position);
    if (limit < kShortestMatch) continue;
    const unsigned found = finder_.Find(position, Text(position), limit, matches_.data());
    if (found == 0) continue;

    const Match longest = matches_[found - 1];
    if (longest.length == limit) {
      EmitPath(start, position);
      EmitMatch(longest.length, longest.distance);
      for (unsigned k = 1; k < longest.length; ++k) {
        const std::uint32_t next = position + k;
        if (Limit(next) >= kShortestMatch) finder_.Skip(next, Text(next), Limit(next));
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
      EmitLiteral(*Text(position));
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

void LzhEncode(const LzhSource& source, const LzhSink& sink) { Encoder(source, sink).Run(); }

std::vector<std::uint8_t> LzhEncode(std::span<const std::uint8_t> data) {
  if (data.size() > kLzhLargestInput) throw std::length_error("LzhEncode: input larger than 4 GB");
  std::vector<std::uint8_t> stream;
  LzhEncode(
      [&data](std::uint8_t* buffer, std::size_t count) {
        const std::size_t taken = std::min(count, data.size());
        if (taken > 0) std::memcpy(buffer, data.data(), taken);
        data = data.subspan(taken);
        return taken;
      },
      [&stream](std::span<const std::uint8_t> bytes) {
        stream.insert(stream.end(), bytes.begin(), bytes.end());
      });
  return stream;
}

}  // namespace stp
