#include "lzh/lzh_encoder.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace stp
