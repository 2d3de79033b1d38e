#include "ui/gauge_scale.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace ui {
namespace {

// The installation gauge: maximum from Bytes, advanced by each decoded
// block, 304 pixels wide.
TEST(GaugeScale, CountsBlocksUpToItsMaximum) {
  constexpr int kWidth = 304;
  const struct {
    const char* name;
    std::int64_t maximum;
    std::int64_t block;
    int blocks;
    std::int64_t progress;
    const char* text;
    int filled;
  } kCases[] = {
      {"no maximum", 0, 32768, 3, 0, "0%", 0},
      {"a negative maximum counts as none", -2147483648LL, 32768, 1, 0, "0%", 0},
      {"never below 0", 1000, -1, 1, 0, "0%", 0},
      {"the fraction dropped", 1000, 379, 1, 379, "37%", 115},
      {"never rounded up", 1000, 999, 1, 999, "99%", 303},
      {"stops at its maximum", 1000, 600, 2, 1000, "100%", kWidth},
      {"30 MB of 40 MB: progress * 100 passes 32 bits", 40'000'000, 30'000'000, 1, 30'000'000, "75%", 228},
      {"the largest Bytes, one block short", INT32_MAX, 32768, 65535, 2147450880, "99%", 303},
      {"the largest Bytes, passed at 2^31", INT32_MAX, 32768, 65536, INT32_MAX, "100%", kWidth},
      {"half of 3 GB", 3'000'000'000LL, 32768, 45777, 1'500'020'736LL, "50%", 152},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    GaugeScale scale;
    scale.SetMaxValue(c.maximum);
    for (int i = 0; i < c.blocks; ++i) scale.AddProgress(c.block);
    EXPECT_EQ(scale.Progress(), c.progress);
    EXPECT_EQ(scale.Text(), c.text);
    EXPECT_EQ(scale.Filled(kWidth), c.filled);
  }
}

}  // namespace
}  // namespace ui
