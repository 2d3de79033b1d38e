#include "pages/system_values.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace stp {
namespace {

TEST(SystemValues, NamesTheThreePlatformsOnly) {
  EXPECT_EQ(PlatformName(0), "Windows 3.1 mit Win32s");
  EXPECT_EQ(PlatformName(1), "Windows");
  EXPECT_EQ(PlatformName(2), "Windows NT");
  EXPECT_EQ(PlatformName(3), "");
  EXPECT_EQ(PlatformName(0xFFFFFFFF), "");
}

TEST(SystemValues, VersionAndBuildAsTheSystemReportsThem) {
  EXPECT_EQ(VersionText(4, 10), "4.10");
  EXPECT_EQ(VersionText(4, 0), "4.0");
  // Windows 98 keeps its version in the high 16 bits of the build number.
  EXPECT_EQ(BuildText(0x040A07CE), "1998");
  EXPECT_EQ(BuildText(1381), "1381");
  EXPECT_EQ(BuildText(0xFFFFFFFF), "65535");
}

TEST(SystemValues, ExtraTextStopsAtTheFirstZeroOrTheEnd) {
  char text[128] = "Service Pack 3";
  text[20] = 'x';  // left over behind the zero
  EXPECT_EQ(ExtraVersionText(text, sizeof text), "Service Pack 3");
  EXPECT_EQ(ExtraVersionText("", 128), "");
  std::string full(128, 'A');
  EXPECT_EQ(ExtraVersionText(full.data(), full.size()), full);
}

TEST(SystemValues, MemoryInWholeKilobytes) {
  const struct {
    std::uint64_t bytes;
    const char* text;
  } cases[] = {
      {67108864, "65536 KB"},
      {67108863, "65535 KB"},
      {1023, "0 KB"},
      // Beyond 4 GB, where 32 bits would wrap or cap.
      {UINT64_C(6442450944), "6291456 KB"},
      {UINT64_C(25769803776), "25165824 KB"},
  };
  for (const auto& row : cases) EXPECT_EQ(MemoryText(row.bytes), row.text) << row.bytes;
  EXPECT_EQ(ProcessorCountText(2), "2 Systemprozessor(en)");
  EXPECT_EQ(SpeedText(166), "166 MHz");
}

TEST(SystemValues, OnlyExactlyOneRequiresWindowsNT) {
  const struct {
    std::uint32_t platform;
    const char* require_nt;
    bool fails;
  } cases[] = {
      {1, "1", true}, {0, "1", true},    {7, "1", true},   {2, "1", false},  {1, "0", false},
      {1, "", false}, {1, "yes", false}, {1, " 1", false}, {1, "01", false}, {1, "true", false},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(NtRequirementFails(row.platform, row.require_nt), row.fails)
        << row.platform << " '" << row.require_nt << "'";
  }
}

}  // namespace
}  // namespace stp
