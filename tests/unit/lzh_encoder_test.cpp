#include "lzh/lzh_encoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lzh_support/reference_codec.h"
#include "lzh_support/sample_data.h"
#include "support/codec_run.h"

namespace stp {
namespace {

using Bytes = std::vector<std::uint8_t>;
using sample::Kind;

Bytes Repeat(const std::string& pattern, std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(pattern[i % pattern.size()]);
  return bytes;
}

TEST(LzhEncode, GivesAnEmptyStreamForNoData) { EXPECT_TRUE(LzhEncode({}).empty()); }

// Every stream decodes back to its data, in the component and in the
// reference decoder, which follows the decoding steps to the letter (and so
// may add a symbol for a lone trailer bit).
TEST(LzhEncode, RoundTrips) {
  struct Case {
    std::string name;
    Bytes data;
  };
  std::vector<Case> cases = {
      {"one byte", {0x41}},
      {"one space", {0x20}},
      {"two bytes", {0x00, 0xFF}},
      {"three spaces", Bytes(3, 0x20)},
      {"spaces, as the fresh ring holds", Bytes(10000, 0x20)},
      {"zeros, as ahead of the fresh ring", Bytes(10000, 0x00)},
      {"zeros then text", Repeat(std::string(70, '\0') + "Zeilen und Spalten ", 5000)},
      {"period of the ring",
       Repeat(
           std::string(reinterpret_cast<const char*>(sample::Generate(Kind::kRandom, 4096, 1).data()), 4096),
           3 * 4096 + 100)},
      {"period above the ring",
       Repeat(
           std::string(reinterpret_cast<const char*>(sample::Generate(Kind::kRandom, 4097, 2).data()), 4097),
           3 * 4097)},
      {"short period", Repeat("abcabd", 5000)},
  };
  for (const std::size_t size : {59, 60, 61, 4095, 4096, 4097, 150000}) {
    cases.push_back({"text of " + std::to_string(size), sample::Generate(Kind::kText, size, size)});
  }
  for (const Kind kind : {Kind::kBinary, Kind::kRuns, Kind::kRandom}) {
    cases.push_back({"kind " + std::to_string(static_cast<int>(kind)), sample::Generate(kind, 100000, 3)});
  }

  for (const Case& c : cases) {
    const Bytes stream = LzhEncode(c.data);
    EXPECT_EQ(test::Decode(stream), c.data) << c.name;
    const reference::Decoded literal = reference::Decode(stream);
    EXPECT_EQ(Bytes(literal.bytes.begin(), literal.bytes.end() - literal.trailer_bytes), c.data) << c.name;
  }
}

TEST(LzhEncode, CompressesAtLeastAsWellAsGreedyParsing) {
  for (const Kind kind : {Kind::kText, Kind::kBinary, Kind::kRuns}) {
    const Bytes data = sample::Generate(kind, 200000, 4);
    const std::size_t greedy = reference::Encode(reference::ParseGreedy(data)).size();
    EXPECT_LE(LzhEncode(data).size(), greedy) << "kind " << static_cast<int>(kind);
  }
}

}  // namespace
}  // namespace stp
