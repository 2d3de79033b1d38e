#include "lzh/lzh_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "support/codec_run.h"

namespace stp {
namespace {

std::string Repeat(const std::string& pattern, std::size_t size) {
  std::string text(size, '\0');
  for (std::size_t i = 0; i < size; ++i) text[i] = pattern[i % pattern.size()];
  return text;
}

TEST(LzhEncode, RoundTrips) {
  struct Case {
    std::string name;
    std::string data;
  };
  std::vector<Case> cases = {
      {"one byte", "A"},
      {"spaces, as the fresh ring holds", std::string(10000, ' ')},
      {"zeros, as ahead of the fresh ring, then text",
       Repeat(std::string(70, '\0') + "Zeilen und Spalten ", 5000)},
      {"period of the ring", Repeat(test::RandomBytes(4096, 1), 3 * 4096 + 100)},
      {"period above the ring", Repeat(test::RandomBytes(4097, 2), 3 * 4097)},
      {"short period", Repeat("abcabd", 5000)},
      {"binary", test::AddressTable(100000)},
      {"random", test::RandomBytes(100000, 3)},
  };
  for (const std::size_t size : {59, 60, 61, 4095, 4096, 4097, 150000}) {
    cases.push_back({"text of " + std::to_string(size), test::Text(size)});
  }
  for (const Case& c : cases) {
    const test::Bytes data = test::ToBytes(c.data);
    EXPECT_EQ(test::Decode(LzhEncode(data)), data) << c.name;
  }
  EXPECT_TRUE(LzhEncode({}).empty());
}

// The sample takes 47,687 bytes when parsed greedily, the longest match at
// each position (see data/README.md).
TEST(LzhEncode, CompressesAtLeastAsWellAsGreedyParsing) {
  const std::string sample =
      test::Text(60000) + test::AddressTable(40000) + test::RandomBytes(10000, 1) + std::string(20000, 'x');
  EXPECT_LE(LzhEncode(test::ToBytes(sample)).size(), 47687u);
}

// The input passes through a buffer far smaller than it: the stream must be
// the same whatever pieces the source gives, and leave in pieces too.
TEST(LzhEncode, StreamsAnyInputInPiecesToTheSameStream) {
  const test::Bytes data =
      test::ToBytes(test::Text(300000) + test::AddressTable(300000) + test::RandomBytes(200000, 5) +
                    std::string(100000, 'x') + test::Text(123457));
  const test::Bytes whole = LzhEncode(data);
  ASSERT_EQ(test::Decode(whole), data);

  for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{4096}, std::size_t{65537}}) {
    std::size_t read = 0;
    std::size_t largest_output = 0;
    test::Bytes stream;
    LzhEncode(
        [&](std::uint8_t* buffer, std::size_t count) {
          const std::size_t given = std::min({count, piece, data.size() - read});
          std::memcpy(buffer, data.data() + read, given);
          read += given;
          return given;
        },
        [&](std::span<const std::uint8_t> bytes) {
          largest_output = std::max(largest_output, bytes.size());
          stream.insert(stream.end(), bytes.begin(), bytes.end());
        });
    EXPECT_EQ(stream, whole) << piece;
    EXPECT_LE(largest_output, 65536u + 8) << "the output was not handed on in pieces";
  }
}

}  // namespace
}  // namespace stp
