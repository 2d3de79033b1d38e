#include "ui/percent_done.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace ui {
namespace {

TEST(PercentDone, DropsTheFractionAndStaysWithinBounds) {
  const struct {
    std::int64_t progress;
    std::int64_t maximum;
    const char* text;
  } cases[] = {
      {0, 0, "0%"},
      {5, 0, "0%"},  // no maximum
      {0, 100, "0%"},
      {37, 100, "37%"},
      {999, 1000, "99%"},  // never rounded up
      {1000, 1000, "100%"},
      {1500, 1000, "100%"},
      {-1, 1000, "0%"},
      // 30 MB of 40 MB: progress * 100 does not fit in 32 bits.
      {30'000'000, 40'000'000, "75%"},
      {INT64_C(3'000'000'000), INT64_C(4'000'000'000), "75%"},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(PercentText(row.progress, row.maximum), row.text) << row.progress << " of " << row.maximum;
  }
}

}  // namespace
}  // namespace ui
