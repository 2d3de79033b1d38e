#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lzh/lzh_encoder.h"
#include "lzh/lzh_format.h"
#include "lzh/lzh_tree.h"
#include "lzh_support/reference_codec.h"
#include "lzh_support/sample_data.h"
#include "support/codec_run.h"

namespace stp {
namespace {

using Bytes = std::vector<std::uint8_t>;
using reference::Copy;
using reference::Literal;
using reference::Token;

std::string Hex(const Bytes& bytes) {
  std::string text;
  for (const std::uint8_t b : bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    text += kDigits[b >> 4];
    text += kDigits[b & 15];
    text += ' ';
  }
  return text;
}

// Small pseudo-random numbers for token streams; the same every run.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : state_(seed) {}
  std::uint32_t Below(std::uint32_t bound) {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) % bound;
  }

 private:
  std::uint32_t state_;
};

std::vector<Token> Literals(std::size_t count, std::uint32_t seed) {
  Dice dice(seed);
  std::vector<Token> tokens;
  for (std::size_t i = 0; i < count; ++i)
    tokens.push_back(Literal(static_cast<std::uint8_t>(dice.Below(256))));
  return tokens;
}

TEST(LzhDecoder, DecodesKnownVectors) {
  const struct {
    Bytes stream;
    Bytes output;
  } kCases[] = {
      {{}, {}},
      {{0x80}, {}},  // the trailer alone
      {{0xF6, 0xC0}, {0x61}},
      {{0xF6, 0xFB, 0xA0}, {0x61, 0x62}},
      {{0xF6, 0xFB, 0xBD, 0xF0}, {0x61, 0x62, 0x63}},
      {{0xD6, 0x40}, {0x20}},
      {{0x8C, 0x00, 0x40}, {0x20, 0x20, 0x20}},  // a match into the spaces of a fresh ring
      {{0x8E, 0xFF, 0x22}, {0, 0, 0, 0, 0}},     // a match into its zeros, not yet written
  };
  for (const auto& c : kCases) EXPECT_EQ(test::Decode(c.stream), c.output) << "stream " << Hex(c.stream);
}

TEST(LzhFormat, PositionPrefixTableFollowsTheCodeRanges) {
  const struct {
    unsigned first, last, upper, per_value, length;
  } kRanges[] = {{0, 31, 0, 32, 3},    {32, 79, 1, 16, 4},   {80, 143, 4, 8, 5},
                 {144, 191, 12, 4, 6}, {192, 239, 24, 2, 7}, {240, 255, 48, 1, 8}};
  for (const auto& range : kRanges) {
    for (unsigned i = range.first; i <= range.last; ++i) {
      EXPECT_EQ(lzh::kPositionPrefixTable[i].upper, range.upper + (i - range.first) / range.per_value) << i;
      EXPECT_EQ(lzh::kPositionPrefixTable[i].length, range.length) << i;
    }
  }
}

// Token streams written by the reference writer decode to what the tokens
// say, applied to the ring a stream starts with.
TEST(LzhDecoder, DecodesTokenStreams) {
  struct Case {
    std::string name;
    std::vector<Token> tokens;
  };
  std::vector<Case> cases;

  // The root starts at 314 and gains 1 per symbol: the 32,455th symbol finds
  // it at 0x8000 and halves the tree first.
  for (const std::size_t count : {32454, 32455, 32456, 40000, 70000}) {
    cases.push_back(
        {std::to_string(count) + " literals", Literals(count, static_cast<std::uint32_t>(count))});
  }

  Case lengths{"every match length", Literals(200, 1)};
  for (unsigned length = lzh::kShortestMatch; length <= lzh::kLongestMatch; ++length) {
    lengths.tokens.push_back(Copy(length, 1 + (length * 37) % 190));
    lengths.tokens.push_back(Literal(static_cast<std::uint8_t>(length)));
  }
  cases.push_back(lengths);

  Case overlapping{"distance below length", Literals(10, 2)};
  for (unsigned distance = 1; distance <= 8; ++distance) overlapping.tokens.push_back(Copy(60, distance));
  cases.push_back(overlapping);

  // Distances beyond what has been written reach back into the fresh ring:
  // 4036 spaces behind the write position and 60 zeros ahead of it, not yet
  // written. After 10 literals, distance 4060 reads 14 of those zeros, then
  // the spaces at the start of the ring.
  Case fresh{"into the fresh ring", Literals(10, 4)};
  for (const Token token : {Copy(30, 4060), Copy(60, 4096), Copy(3, 4040), Copy(60, 1)})
    fresh.tokens.push_back(token);
  cases.push_back(fresh);

  // Random tokens over more than one turn of the ring, so that sources and
  // the write position wrap around its end.
  Case random{"random tokens", {}};
  Dice dice(3);
  for (int i = 0; i < 20000; ++i) {
    if (dice.Below(3) == 0) {
      random.tokens.push_back(Literal(static_cast<std::uint8_t>(dice.Below(256))));
    } else {
      random.tokens.push_back(
          Copy(lzh::kShortestMatch + dice.Below(58), 1 + dice.Below(lzh::kDictionarySize)));
    }
  }
  cases.push_back(random);

  for (const Case& c : cases) {
    EXPECT_EQ(test::Decode(reference::Encode(c.tokens)), reference::Expand(c.tokens)) << c.name;
  }
}

// Counts in the proportions of a Fibonacci comb, with the symbols left at 1
// hanging below its end, push a code past 16 bits.
TEST(LzhDecoder, DecodesCodesLongerThanSixteenBits) {
  static const unsigned kComb[] = {1, 2, 3, 5, 8, 13, 21, 34};
  std::vector<Token> tokens;
  lzh::LzhTree tree;
  tree.Init();
  for (int round = 0; round < 306; ++round) {
    for (unsigned k = 0; k < std::size(kComb); ++k) {
      for (unsigned n = 0; n < kComb[k]; ++n) {
        tokens.push_back(Literal(static_cast<std::uint8_t>('A' + k)));
        tree.Update('A' + k);
      }
    }
  }
  ASSERT_GT(tree.CodeOf(0).length, 16u);
  for (const std::uint8_t rare : {0, 1, 2, 255}) tokens.push_back(Literal(rare));
  EXPECT_EQ(test::Decode(reference::Encode(tokens)), reference::Expand(tokens));
}

TEST(LzhDecoder, OutputDoesNotDependOnHowTheInputArrives) {
  const Bytes data = sample::Generate(sample::Kind::kBinary, 60000, 5);
  const Bytes stream = LzhEncode(data);
  const struct {
    std::uint16_t read_size;
    std::size_t chunk;
  } kCases[] = {{16, 1},   {16, 2},   {16, 3},       {16, 7},          {16, 16},
                {1024, 1}, {1024, 5}, {32768, 4096}, {32768, SIZE_MAX}};
  std::vector<std::uint16_t> blocks(data.size() / 16, 16);
  if (data.size() % 16 != 0) blocks.push_back(data.size() % 16);
  for (const auto& c : kCases) {
    const test::CodecRun run = test::RunCodec(stream, {c.read_size, 16, c.chunk});
    EXPECT_EQ(run.output, data) << "read size " << c.read_size << ", chunk " << c.chunk;
    EXPECT_EQ(run.put_sizes, blocks) << "read size " << c.read_size << ", chunk " << c.chunk;
  }
}

// A stream whose last code ends on a byte boundary ends in the trailer byte
// 0x80. When the root's odd child is a leaf at that moment, the trailer's 1
// bit alone reads as that leaf's symbol; the reference decoder, which follows
// the decoding steps to the letter, shows it.
std::vector<Bytes> StreamsEndingInALoneTrailerBit() {
  std::vector<Bytes> streams;
  // One literal repeated makes its leaf the root's odd child; every eighth
  // count or so the stream ends on a byte boundary.
  std::vector<Token> literals;
  for (int n = 1; n <= 400 && streams.size() < 3; ++n) {
    literals.push_back(Literal('A'));
    const Bytes stream = reference::Encode(literals);
    if (reference::Decode(stream).trailer_bytes > 0) streams.push_back(stream);
  }
  // A long run of zeros makes the match of 60 bytes the leaf (found by
  // trying run lengths).
  streams.push_back(LzhEncode(Bytes(18819, 0)));
  return streams;
}

TEST(LzhDecoder, KeepsTheTrailerOutOfTheOutput) {
  const std::vector<Bytes> streams = StreamsEndingInALoneTrailerBit();
  ASSERT_EQ(streams.size(), 4u);
  std::size_t longest_extra = 0;
  for (const Bytes& stream : streams) {
    const reference::Decoded literal = reference::Decode(stream);
    ASSERT_GT(literal.trailer_bytes, 0u);
    longest_extra = std::max(longest_extra, literal.trailer_bytes);
    const Bytes wanted(literal.bytes.begin(), literal.bytes.end() - literal.trailer_bytes);
    EXPECT_EQ(test::Decode(stream), wanted);
    // A full output buffer is still handed on whole in the final call.
    const test::CodecRun run = test::RunCodec(stream, {16, 16});
    EXPECT_EQ(run.output, wanted);
    EXPECT_NE(run.put_sizes.back(), 0);
  }
  EXPECT_EQ(longest_extra, lzh::kLongestMatch);
}

// Streams cut short after a code that ends on a byte boundary, with a last
// byte 0x00 instead of the trailer: when the root's even child is a leaf, the
// lone 0 bit is a symbol of the stream.
std::vector<Bytes> StreamsEndingInALoneZeroBit() {
  std::vector<Bytes> streams;
  std::vector<Token> tokens;
  Dice dice(12);
  for (int n = 1; n <= 1100; ++n) {
    tokens.push_back(Literal(static_cast<std::uint8_t>(dice.Below(2) == 0 ? 'A' : 'a' + dice.Below(26))));
    Bytes stream = reference::Encode(tokens);
    if (stream.back() != 0x80) continue;
    stream.back() = 0x00;
    if (reference::Decode(stream).bytes.size() > tokens.size()) streams.push_back(stream);
  }
  return streams;
}

std::vector<Bytes> AssortedStreams() {
  std::vector<Bytes> streams;
  Dice dice(11);
  for (int i = 0; i < 3000; ++i) {
    Bytes stream(dice.Below(40));
    for (std::uint8_t& b : stream) b = static_cast<std::uint8_t>(dice.Below(256));
    if (!stream.empty() && dice.Below(4) == 0) stream.back() = 0x80;
    streams.push_back(stream);
  }
  for (const auto kind : {sample::Kind::kText, sample::Kind::kBinary, sample::Kind::kRuns}) {
    const Bytes stream = LzhEncode(sample::Generate(kind, 20000, 9));
    for (std::size_t cut = 1; cut <= 12; ++cut) streams.emplace_back(stream.begin(), stream.end() - cut);
    streams.push_back(stream);
  }
  // A lone 1 bit that is not all the last byte holds, or that more input
  // follows, is a symbol of the stream.
  for (Bytes stream : StreamsEndingInALoneTrailerBit()) {
    for (const std::uint8_t last : {0xC0, 0xA0, 0xFF}) {
      stream.back() = last;
      streams.push_back(stream);
    }
    stream.back() = 0x80;
    stream.push_back(0x00);
    streams.push_back(stream);
    stream.push_back(0x80);
    streams.push_back(stream);
  }
  return streams;
}

// Every stream that does not end in a lone trailer bit decodes exactly as the
// decoding steps say, and those that do lose only that symbol.
TEST(LzhDecoder, DecodesEveryOtherStreamAsTheStepsSay) {
  std::vector<Bytes> streams = AssortedStreams();
  const std::vector<Bytes> zero_bit = StreamsEndingInALoneZeroBit();
  ASSERT_FALSE(zero_bit.empty());
  streams.insert(streams.end(), zero_bit.begin(), zero_bit.end());

  for (const Bytes& stream : streams) {
    const reference::Decoded literal = reference::Decode(stream);
    const Bytes wanted(literal.bytes.begin(), literal.bytes.end() - literal.trailer_bytes);
    EXPECT_EQ(test::Decode(stream), wanted) << "stream of " << stream.size() << " bytes";
  }
}

// The source is asked for input exactly when a reader that takes one byte
// whenever fewer than 8 bits are pending asks, also after it has run dry.
TEST(LzhDecoder, AsksForInputWhenAByteAtATimeReaderWould) {
  for (const Bytes& stream : AssortedStreams()) {
    const reference::Decoded literal = reference::Decode(stream);
    if (literal.trailer_bytes > 0) continue;
    EXPECT_EQ(test::RunCodec(stream, {16, 16, 1}).get_calls, static_cast<int>(literal.requests));
    const std::size_t after_dry = literal.requests - stream.size();
    EXPECT_EQ(test::RunCodec(stream, {32768, 32768, 100}).get_calls,
              static_cast<int>((stream.size() + 99) / 100 + after_dry));
  }
}

}  // namespace
}  // namespace stp
