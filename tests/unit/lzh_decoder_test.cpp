#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "lzh/lzh_encoder.h"
#include "support/codec_run.h"

namespace stp {
namespace {

using test::Bytes;

Bytes FromHex(std::string_view hex) {
  Bytes bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  }
  return bytes;
}

std::uint32_t Fnv1a(std::span<const std::uint8_t> bytes) {
  std::uint32_t hash = 2166136261u;
  for (const std::uint8_t b : bytes) hash = (hash ^ b) * 16777619u;
  return hash;
}

struct StreamVector {
  const char* name;
  const char* stream;
  std::size_t size;
  std::uint32_t fnv;
  std::size_t dry_requests;  // source requests after the stream has run out
};

struct TrailerVector {
  const char* name;
  const char* stream;
  std::uint8_t byte;
  std::size_t count;  // the stream decodes to count times byte
};

#include "data/lzh_vectors.inc"

// The streams of the vectors file hold at least one token.
TEST(LzhDecoder, DecodesStreamsOfNoneOrOneToken) {
  const struct {
    const char* stream;
    std::string output;
  } kCases[] = {
      {"", ""},
      {"80", ""},  // the trailer alone
      {"F6C0", "a"},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(test::Decode(FromHex(c.stream)), test::ToBytes(c.output)) << c.stream;
}

// However the stream arrives and leaves, it decodes the same, and the source
// is asked for bytes exactly when a reader that takes one byte whenever fewer
// than 8 bits are pending would ask, also after it has run dry.
TEST(LzhDecoder, DecodesFixedStreamsAsTheStepsSay) {
  const struct {
    std::uint16_t read_size, write_size;
    std::size_t chunk;
  } kArrivals[] = {{32768, 32768, SIZE_MAX}, {32768, 16, SIZE_MAX}, {16, 16, 1}, {1024, 1000, 100}};
  for (const StreamVector& v : kStreamVectors) {
    const Bytes stream = FromHex(v.stream);
    for (const auto& a : kArrivals) {
      SCOPED_TRACE(std::string(v.name) + ", chunk " + std::to_string(a.chunk));
      const test::CodecRun run = test::RunCodec(stream, a.read_size, a.write_size, a.chunk);
      EXPECT_EQ(run.output.size(), v.size);
      EXPECT_EQ(Fnv1a(run.output), v.fnv);
      const std::size_t per_call = std::min<std::size_t>(a.read_size, a.chunk);
      EXPECT_EQ(static_cast<std::size_t>(run.get_calls),
                (stream.size() + per_call - 1) / per_call + v.dry_requests);
    }
  }
}

// A stream whose last code ends on a byte boundary ends in the trailer byte
// 0x80. When the root's odd child is a leaf then, the trailer's 1 bit alone
// reads as that leaf's symbol, which the stream does not hold.
TEST(LzhDecoder, KeepsTheTrailerOutOfTheOutput) {
  for (const TrailerVector& v : kTrailerVectors) {
    const Bytes stream = FromHex(v.stream);
    const Bytes wanted(v.count, v.byte);
    EXPECT_EQ(test::Decode(stream), wanted) << v.name;
    // A full output buffer is still handed on whole in the final call.
    const test::CodecRun run = test::RunCodec(stream, 16, 16, 1);
    EXPECT_EQ(run.output, wanted) << v.name;
    EXPECT_NE(run.put_sizes.back(), 0) << v.name;
  }
}

// Two bytes per 16-bit counter repeat no 3 bytes, so the stream holds only
// literal codes, fixed by the adaptive tree alone; its size and checksum pin
// the tree, which encoder and decoder share. The root starts at 314 and gains
// 1 per symbol: the 32,455th symbol finds it at 0x8000 and halves the tree
// first.
TEST(LzhDecoder, DecodesLiteralStreamsAcrossTreeRebuilds) {
  const struct {
    std::size_t literals, stream_size;
    std::uint32_t stream_fnv;
  } kCases[] = {{32454, 31110, 0x924F04F6},
                {32455, 31111, 0x283BFA72},
                {32456, 31112, 0x5C8EBCB4},
                {40000, 38413, 0x1DB5BABF},
                {70000, 67898, 0xD11AF127}};
  for (const auto& c : kCases) {
    Bytes data(c.literals);
    for (std::size_t i = 0; i < data.size(); ++i) {
      const std::size_t counter = 0x4000 + i / 2;
      data[i] = static_cast<std::uint8_t>(i % 2 == 0 ? counter >> 8 : counter);
    }
    const Bytes stream = LzhEncode(data);
    EXPECT_EQ(stream.size(), c.stream_size) << c.literals;
    EXPECT_EQ(Fnv1a(stream), c.stream_fnv) << c.literals;
    EXPECT_EQ(test::Decode(stream), data) << c.literals;
  }
}

}  // namespace
}  // namespace stp
