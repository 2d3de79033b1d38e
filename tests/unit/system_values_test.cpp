#include "pages/system_values.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace stp {
namespace {

TEST(SystemValues, ShowsTheLow16BitsOfTheBuildNumber) {
  // Windows 98 keeps its version in the high 16 bits.
  EXPECT_EQ(BuildText(0x040A07CE), "1998");
  EXPECT_EQ(BuildText(1381), "1381");
}

TEST(SystemValues, MemoryInWholeKilobytes) {
  const struct {
    std::uint64_t bytes;
    const char* text;
  } cases[] = {
      {67108864, "65536 KB"},
      {67108863, "65535 KB"},
      // Beyond 4 GB, where 32 bits would wrap or cap.
      {UINT64_C(25769803776), "25165824 KB"},
  };
  for (const auto& row : cases) EXPECT_EQ(MemoryText(row.bytes), row.text) << row.bytes;
}

TEST(SystemValues, OnlyExactlyOneRequiresWindowsNT) {
  const struct {
    std::uint32_t platform;
    const char* require_nt;
    bool fails;
  } cases[] = {
      {1, "1", true},  {0, "1", true}, {7, "1", true},   {2, "1", false},
      {1, "0", false}, {1, "", false}, {1, " 1", false}, {1, "true", false},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(NtRequirementFails(row.platform, row.require_nt), row.fails)
        << row.platform << " '" << row.require_nt << "'";
  }
}

}  // namespace
}  // namespace stp
