#include <gtest/gtest.h>

#include "engine/setup_data_reader.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace stp {
namespace {

constexpr auto kLater = static_cast<std::size_t>(SetupDataReader::kLaterVolumeSize);

std::string ReadAll(SetupDataReader& reader, std::size_t count) {
  std::string bytes(count, '\0');
  bytes.resize(reader.Read(bytes.data(), count));
  return bytes;
}

TEST(ChooseFirstVolume, PrefersSetupStpThenDisk1ThenSetup1) {
  test::RecordingHost host;
  {
    test::TempDir dir;
    dir.Write("Setup.stp", "single");
    dir.Write("Setup1.stp", "volume");
    SetupDataReader reader(dir.Path(), host);
    ASSERT_TRUE(reader.ChooseFirstVolume());
    EXPECT_TRUE(reader.IsSingleFile());
    EXPECT_EQ(reader.CurrentVolumePath(), dir.Path() + "Setup.stp");
  }
  {
    test::TempDir dir;
    dir.Write("Setup1.stp", "beside");
    dir.Write("Disk1/Setup1.stp", "below");
    SetupDataReader reader(dir.Path(), host);
    ASSERT_TRUE(reader.ChooseFirstVolume());
    EXPECT_EQ(reader.CurrentDisk(), 1);
    EXPECT_EQ(reader.CurrentVolumePath(), dir.Path() + "Disk1\\Setup1.stp");
  }
  {
    test::TempDir dir;
    dir.Write("Setup1.stp", "beside");
    SetupDataReader reader(dir.Path(), host);
    ASSERT_TRUE(reader.ChooseFirstVolume());
    EXPECT_EQ(reader.CurrentVolumePath(), dir.Path() + "Setup1.stp");
  }
  {
    test::TempDir dir;
    dir.Write("Setup2.stp", "no first volume");
    SetupDataReader reader(dir.Path(), host);
    EXPECT_FALSE(reader.ChooseFirstVolume());
  }
}

// Volume 1 holds "0123456789", volume 2 a full later volume of 'B', volume 3
// "CCC"; the stream is 10 + 1457664 + 3 bytes long.
void WriteThreeVolumes(const test::TempDir& dir, const std::string& folder2 = "",
                       const std::string& folder3 = "") {
  dir.Write("Setup1.stp", "0123456789");
  dir.Write(folder2 + "Setup2.stp", std::string(kLater, 'B'));
  dir.Write(folder3 + "Setup3.stp", "CCC");
}

TEST(PositionAt, MapsStreamOffsetsToVolumes) {
  test::TempDir dir;
  WriteThreeVolumes(dir);
  test::RecordingHost host;
  SetupDataReader reader(dir.Path(), host);
  ASSERT_TRUE(reader.ChooseFirstVolume());
  reader.Open();

  ASSERT_TRUE(reader.PositionAt(9));  // one byte before the boundary: still volume 1
  EXPECT_EQ(ReadAll(reader, 5), "9");
  ASSERT_TRUE(reader.NextSetupData());
  EXPECT_EQ(reader.CurrentDisk(), 2);
  EXPECT_EQ(ReadAll(reader, 2), "BB");

  ASSERT_TRUE(reader.PositionAt(10 + 100));  // inside volume 2
  EXPECT_EQ(ReadAll(reader, 1), "B");

  ASSERT_TRUE(reader.PositionAt(10 + kLater));  // exactly the start of volume 3
  EXPECT_EQ(reader.CurrentDisk(), 3);
  EXPECT_EQ(ReadAll(reader, 5), "CCC");
  EXPECT_TRUE(host.disk_prompts.empty());
}

TEST(PositionAt, AnImageStartingAtTheBoundaryOpensTheNextVolume) {
  test::TempDir dir;
  WriteThreeVolumes(dir);
  test::RecordingHost host;
  SetupDataReader reader(dir.Path(), host);
  ASSERT_TRUE(reader.ChooseFirstVolume());
  reader.Open();
  ASSERT_TRUE(reader.PositionAt(10));
  EXPECT_EQ(reader.CurrentDisk(), 2);
  EXPECT_EQ(ReadAll(reader, 1), "B");
}

TEST(PositionAt, RefusesOffsetsOutsideTheCurrentVolume) {
  test::TempDir dir;
  WriteThreeVolumes(dir);
  test::RecordingHost host;
  SetupDataReader reader(dir.Path(), host);
  ASSERT_TRUE(reader.ChooseFirstVolume());
  reader.Open();
  EXPECT_THROW(reader.PositionAt(-1), Error);
  EXPECT_THROW(reader.PositionAt(11), Error);  // in volume 2, but volume 1 is open
  ASSERT_TRUE(reader.PositionAt(10));
  EXPECT_THROW(reader.PositionAt(5), Error);  // back in volume 1

  test::TempDir single;
  single.Write("Setup.stp", "abc");
  SetupDataReader one(single.Path(), host);
  ASSERT_TRUE(one.ChooseFirstVolume());
  one.Open();
  EXPECT_TRUE(one.PositionAt(3));  // an empty image at the very end
  EXPECT_THROW(one.PositionAt(4), Error);
}

TEST(NextSetupData, FindsVolumesInEveryArrangement) {
  struct Arrangement {
    const char* name;
    std::string setup_folder;  // where Setup.exe and Setup.inf lie
    std::string volume_folder;
  };
  const Arrangement arrangements[] = {
      {"all in the source directory", "", ""},
      {"Disk folders below", "", "Disk2/"},
      {"Disk folders beside, setup in Disk1", "Disk1/", "Disk2/"},
  };
  for (const auto& a : arrangements) {
    test::TempDir dir;
    dir.Write(a.setup_folder + "Setup1.stp", "0123456789");
    dir.Write(a.volume_folder + "Setup2.stp", "BBB");
    std::string source = dir.Path() + a.setup_folder;
    for (char& c : source) {
      if (c == '/') c = '\\';
    }
    test::RecordingHost host;
    SetupDataReader reader(source, host);
    ASSERT_TRUE(reader.ChooseFirstVolume()) << a.name;
    reader.Open();
    ASSERT_TRUE(reader.PositionAt(10)) << a.name;
    EXPECT_EQ(ReadAll(reader, 3), "BBB") << a.name;
    EXPECT_TRUE(host.disk_prompts.empty()) << a.name;
  }
}

TEST(NextSetupData, RefusesToLeaveALaterVolumeOfAnotherSize) {
  // The offsets count every later volume as exactly kLater bytes; going on
  // from one of another size would read the wrong bytes for the rest.
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

TEST(NextSetupData, AsksForAMissingDiskUntilItIsThere) {
  test::TempDir dir;
  dir.Write("Setup1.stp", "0123456789");
  test::RecordingHost host;
  host.on_disk_prompt = [&](int number) {
    if (host.disk_prompts.size() == 2) dir.Write("Setup" + std::to_string(number) + ".stp", "late");
    return true;
  };
  SetupDataReader reader(dir.Path(), host);
  ASSERT_TRUE(reader.ChooseFirstVolume());
  reader.Open();
  ASSERT_TRUE(reader.NextSetupData());
  EXPECT_EQ(ReadAll(reader, 4), "late");
  ASSERT_EQ(host.disk_prompts.size(), 2u);
  EXPECT_EQ(host.disk_prompts[0], std::make_pair(2, dir.Path()));
}

TEST(NextSetupData, APromptEndedWithoutOkLeavesNoVolumeToReadFrom) {
  test::TempDir dir;
  dir.Write("Setup1.stp", "0123456789");
  test::RecordingHost host;
  SetupDataReader reader(dir.Path(), host);
  ASSERT_TRUE(reader.ChooseFirstVolume());
  reader.Open();
  EXPECT_FALSE(reader.NextSetupData());
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_EQ(ReadAll(reader, 4), "");
  // The volume number no longer matches any open volume: the reader will
  // not go on with the old one.
  EXPECT_THROW(reader.Open(), Error);
}

}  // namespace
}  // namespace stp
