#include "engine/setup_data_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace stp {
namespace {

constexpr auto kLater = static_cast<std::size_t>(SetupDataReader::kLaterVolumeSize);

std::string ReadSome(SetupDataReader& reader, std::size_t count) {
  std::string bytes(count, '\0');
  bytes.resize(reader.Read(bytes.data(), count));
  return bytes;
}

TEST(SetupDataReader, ChoosesSetupStpThenDisk1ThenSetup1) {
  const struct {
    std::vector<const char*> files;
    const char* chosen;  // empty: no setup data
    int disk;
  } kCases[] = {
      {{"Setup.stp", "Setup1.stp"}, "Setup.stp", 0},
      {{"Setup1.stp", "Disk1/Setup1.stp"}, "Disk1\\Setup1.stp", 1},
      {{"Setup1.stp"}, "Setup1.stp", 1},
      {{"Setup2.stp"}, "", 0},
  };
  for (const auto& c : kCases) {
    test::TempDir dir;
    for (const char* file : c.files) dir.Write(file, "data");
    test::RecordingHost host;
    SetupDataReader reader(dir.Path(), host);
    ASSERT_EQ(reader.ChooseFirstVolume(), *c.chosen != '\0') << c.chosen;
    if (*c.chosen == '\0') continue;
    EXPECT_EQ(reader.CurrentVolumePath(), dir.Path() + c.chosen);
    EXPECT_EQ(reader.CurrentDisk(), c.disk);
  }
}

// An image starts in the volume the one before it ended in, or at the very
// start of the next; any other offset would read another image's bytes.
TEST(SetupDataReader, PositionsAtOffsetsOfTheCurrentOrTheNextVolume) {
  test::TempDir dir;
  dir.Write("Setup1.stp", "0123456789");
  dir.Write("Setup2.stp", std::string(kLater, 'B'));
  dir.Write("Setup3.stp", "CCC");
  dir.Write("single/Setup.stp", "abc");
  const struct {
    const char* folder;
    std::vector<std::int32_t> offsets;
    int disk;          // after the last offset; -1: it is refused
    const char* read;  // there
  } kCases[] = {
      {"", {10}, 2, "BB"},  // at the first byte of volume 2: that volume
      {"", {10, static_cast<std::int32_t>(10 + kLater)}, 3, "CC"},
      {"", {-1}, -1, ""},
      {"", {11}, -1, ""},  // in volume 2, with volume 1 open
      {"", {10, 5}, -1, ""},
      {"single\\", {3}, 0, ""},  // an empty image at the very end
      {"single\\", {4}, -1, ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(c.offsets));
    test::RecordingHost host;
    SetupDataReader reader(dir.Path() + c.folder, host);
    ASSERT_TRUE(reader.ChooseFirstVolume());
    reader.Open();
    for (std::size_t i = 0; i + 1 < c.offsets.size(); ++i) ASSERT_TRUE(reader.PositionAt(c.offsets[i]));
    if (c.disk < 0) {
      EXPECT_THROW(reader.PositionAt(c.offsets.back()), Error);
      continue;
    }
    ASSERT_TRUE(reader.PositionAt(c.offsets.back()));
    EXPECT_EQ(reader.CurrentDisk(), c.disk);
    EXPECT_EQ(ReadSome(reader, 2), c.read);
    EXPECT_TRUE(host.disk_prompts.empty());
  }
}

// The offsets count every later volume as exactly kLater bytes; going on from
// one of another size would read the wrong bytes for the rest.
TEST(SetupDataReader, RefusesToLeaveALaterVolumeOfAnotherSize) {
  for (const std::size_t size : {kLater - 1, kLater + 1}) {
    test::TempDir dir;
    dir.Write("Setup1.stp", "0123456789");
    dir.Write("Setup2.stp", std::string(size, 'B'));
    dir.Write("Setup3.stp", "CCC");
    test::RecordingHost host;
    SetupDataReader reader(dir.Path(), host);
    ASSERT_TRUE(reader.ChooseFirstVolume());
    reader.Open();
    ASSERT_TRUE(reader.PositionAt(10));
    EXPECT_THROW(reader.NextSetupData(), Error) << size;
  }
}

}  // namespace
}  // namespace stp
