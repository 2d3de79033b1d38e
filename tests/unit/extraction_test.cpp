#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "engine/extraction.h"
#include "support/medium.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace stp {
namespace {

namespace fs = std::filesystem;
using test::MediumFile;

// Seconds since 1970 of a stored "low&high" file time.
std::int64_t UnixSeconds(const std::string& time) {
  return static_cast<std::int64_t>(StoredFileTime(time) / 10000000) - 11644473600LL;
}

std::int64_t WriteTimeOf(const fs::path& file) {
  const auto since_epoch = std::chrono::file_clock::to_sys(fs::last_write_time(file)).time_since_epoch();
  return std::chrono::duration_cast<std::chrono::seconds>(since_epoch).count();
}

// A medium in one folder and a destination folder beside it.
struct Installation {
  test::TempDir medium;
  test::TempDir destination;
  test::RecordingHost host;
  FileTable table;

  Installation(const std::vector<MediumFile>& files, std::int64_t first_volume_size = 0)
      : table(test::WriteMedium(medium, files, first_volume_size)) {}

  TargetPlaces Places() const {
    return {destination.Path(), destination.Path() + "Windows\\", destination.Path() + "Desktop"};
  }
  Extraction::Outcome Run() {
    Extraction extraction(table, Places(), medium.Path(), host);
    return extraction.InstallFiles();
  }
};

TEST(Extraction, InstallsEveryFileWithItsContentTimeAndRecord) {
  const std::vector<MediumFile> files = {
      {"readme.txt", "Liesmich: Grüße aus dem Installationsprogramm.\r\n", "0&29000000"},
      {"bin\\lib\\data.bin", test::RandomBytes(100000, 1), "-1&30000000"},
      {"empty.txt", ""},
      {"runs.dat", std::string(70000, 'x') + std::string(70000, '\0')},
  };
  Installation install(files);
  install.destination.Write("empty.txt", "old content");  // replaced by the empty file
  ASSERT_EQ(install.Run(), Extraction::Outcome::kDone);

  std::uint64_t total = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    std::string native = files[i].target;
    std::replace(native.begin(), native.end(), '\\', '/');
    EXPECT_EQ(install.destination.Read(native), files[i].content) << files[i].target;
    EXPECT_EQ(WriteTimeOf(install.destination.Native() / native), UnixSeconds(files[i].time)) << native;
    ASSERT_LT(i, install.host.recorded.size());
    EXPECT_EQ(install.host.recorded[i], std::make_pair(static_cast<int>(i + 1),
                                                       install.destination.Path() + files[i].target));
    total += files[i].content.size();
  }
  EXPECT_EQ(install.host.advanced, total);
  EXPECT_TRUE(install.host.error_numbers.empty());
  EXPECT_EQ(install.host.shown.front(), std::make_pair(install.destination.Path() + "readme.txt", 0));
}

TEST(Extraction, CrossesVolumeBoundariesInsideAndBetweenImages) {
  const std::vector<MediumFile> files = {
      {"a.bin", test::RandomBytes(50000, 2)},
      {"b.bin", test::RandomBytes(70000, 3)},
      {"c.txt", "after the boundary"},
  };
  const auto sizes = test::ImageSizes(files);
  const std::int64_t a = static_cast<std::int64_t>(sizes[0]);
  struct Case {
    const char* name;
    std::int64_t first_volume_size;
  };
  const Case cases[] = {
      // b starts exactly at the first byte of volume 2.
      {"image at the boundary", a},
      // b starts one byte before it and is continued on volume 2.
      {"image one byte before the boundary", a + 1},
      // b's second request of 32768 bytes finds 30000 bytes left in volume 1
      // and takes the other 2768 from the start of volume 2.
      {"request across the boundary", a + 32768 + 30000},
      {"first image across the boundary", 1000},
  };
  for (const auto& c : cases) {
    Installation install(files, c.first_volume_size);
    ASSERT_EQ(install.Run(), Extraction::Outcome::kDone) << c.name;
    EXPECT_EQ(install.destination.Read("a.bin"), files[0].content) << c.name;
    EXPECT_EQ(install.destination.Read("b.bin"), files[1].content) << c.name;
    EXPECT_EQ(install.destination.Read("c.txt"), files[2].content) << c.name;
    EXPECT_TRUE(install.host.disk_prompts.empty()) << c.name;
    EXPECT_EQ(install.host.shown.back().second, 2) << c.name;
  }
}

TEST(Extraction, AnEmptyLastImageAtAVolumeEndAsksForNoFurtherDisk) {
  const std::vector<MediumFile> files = {{"a.bin", test::RandomBytes(5000, 4)}, {"empty", ""}};
  Installation install(files, static_cast<std::int64_t>(test::ImageSizes(files)[0]));
  ASSERT_EQ(install.Run(), Extraction::Outcome::kDone);
  EXPECT_TRUE(install.host.disk_prompts.empty());
  EXPECT_TRUE(fs::exists(install.destination.Native() / "empty"));
  EXPECT_EQ(install.host.recorded.size(), 2u);
}

TEST(Extraction, ExpandsThePlaceholders) {
  Installation install({{"<WINDIR>\\system\\x.ini", "w"}, {"<desktop>\\Start.txt", "d"}});
  ASSERT_EQ(install.Run(), Extraction::Outcome::kDone);
  EXPECT_EQ(install.destination.Read("Windows/system/x.ini"), "w");
  EXPECT_EQ(install.destination.Read("Desktop/Start.txt"), "d");
  EXPECT_EQ(install.host.recorded[0].second, install.destination.Path() + "Windows\\system\\x.ini");
}

TEST(ExpandTarget, PlaceholdersCountOnlyAtTheStart) {
  const TargetPlaces places{"C:\\Programme\\P\\", "C:\\WINDOWS\\", "C:\\Desktop"};
  struct Case {
    const char* target;
    const char* expanded;
  };
  const Case cases[] = {
      {"a.exe", "C:\\Programme\\P\\a.exe"},
      {"<windir>\\a.ini", "C:\\WINDOWS\\a.ini"},
      {"<WinDir>\\a.ini", "C:\\WINDOWS\\a.ini"},
      {"<desktop>\\a.lnk", "C:\\Desktop\\a.lnk"},
      {"sub\\<windir>\\a", "C:\\Programme\\P\\sub\\<windir>\\a"},
      {"<windows>\\a", "C:\\Programme\\P\\<windows>\\a"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandTarget(c.target, places), c.expanded) << c.target;
}

TEST(StoredFileTime, JoinsTwoSigned32BitHalves) {
  EXPECT_EQ(StoredFileTime("1&0"), 1u);
  EXPECT_EQ(StoredFileTime("-1&0"), 0xFFFFFFFFu);
  EXPECT_EQ(StoredFileTime("-2147483648&29000000"), (29000000ull << 32) | 0x80000000u);
  EXPECT_EQ(StoredFileTime("0&-1"), 0xFFFFFFFF00000000u);
  EXPECT_THROW(StoredFileTime("12"), Error);  // no high half
  EXPECT_THROW(StoredFileTime("x&1"), Error);
}

TEST(Extraction, AnUnwritableTargetIsDecodedAndDiscardedAndTheRunGoesOn) {
  Installation install({{"blocked", "never written"}, {"next.txt", "still installed"}});
  fs::create_directories(install.destination.Native() / "blocked");  // a folder stands in the way
  ASSERT_EQ(install.Run(), Extraction::Outcome::kDone);
  EXPECT_EQ(install.destination.Read("next.txt"), "still installed");
  // Opening for the time stamp fails, and so does stamping without a file.
  ASSERT_EQ(install.host.error_numbers.size(), 2u);
  EXPECT_EQ(install.host.error_numbers[0], kAccessDenied);
  EXPECT_EQ(install.host.recorded.size(), 2u);
  EXPECT_EQ(install.host.advanced, std::string("never written").size() + std::string("still installed").size());
}

TEST(Extraction, ACancelStopsTheFileAndTheRunWithoutRecordingIt) {
  Installation install({{"first.txt", "complete"}, {"big.bin", test::RandomBytes(200000, 5)}, {"third", "x"}});
  install.host.on_messages = [&] {
    if (!install.host.recorded.empty() && install.host.messages_processed > 4) install.host.cancel_confirmed = true;
  };
  ASSERT_EQ(install.Run(), Extraction::Outcome::kCancelled);
  ASSERT_EQ(install.host.recorded.size(), 1u);
  EXPECT_LT(install.destination.Read("big.bin").size(), 200000u);  // left partly written
  EXPECT_FALSE(fs::exists(install.destination.Native() / "third"));
}

TEST(Extraction, AMissingVolumeIsAskedForUntilItIsThere) {
  const std::vector<MediumFile> files = {{"a.bin", test::RandomBytes(9000, 6)}};
  Installation install(files, 4000);
  fs::rename(install.medium.Native() / "Setup2.stp", install.medium.Native() / "later.stp");
  install.host.on_disk_prompt = [&](int) {
    fs::rename(install.medium.Native() / "later.stp", install.medium.Native() / "Setup2.stp");
    return true;
  };
  ASSERT_EQ(install.Run(), Extraction::Outcome::kDone);
  EXPECT_EQ(install.destination.Read("a.bin"), files[0].content);
  ASSERT_EQ(install.host.disk_prompts.size(), 1u);
  EXPECT_EQ(install.host.disk_prompts[0], std::make_pair(2, install.medium.Path()));
}

TEST(Extraction, APromptEndedWithoutTheVolumeEndsTheRun) {
  Installation install({{"a.bin", test::RandomBytes(9000, 7)}, {"b.txt", "b"}}, 4000);
  fs::remove(install.medium.Native() / "Setup2.stp");
  EXPECT_THROW(install.Run(), Error);
  EXPECT_TRUE(install.host.recorded.empty());
  EXPECT_FALSE(fs::exists(install.destination.Native() / "b.txt"));

  // With the cancel confirmed at the prompt, the run just stops.
  Installation cancelled({{"a.bin", test::RandomBytes(9000, 7)}}, 4000);
  fs::remove(cancelled.medium.Native() / "Setup2.stp");
  cancelled.host.on_disk_prompt = [&](int) {
    cancelled.host.cancel_confirmed = true;
    return false;
  };
  EXPECT_EQ(cancelled.Run(), Extraction::Outcome::kCancelled);
  EXPECT_TRUE(cancelled.host.recorded.empty());
}

TEST(Extraction, MalformedTablesFailTheirEntryBeforeAnythingIsWritten) {
  struct Case {
    const char* name;
    std::string files;
    std::string next_offset;
    std::string message;
  };
  const Case cases[] = {
      {"offsets running backwards", "1=a.txt,0|0&0\r\n2=b.txt,10|0&0\r\n", "5",
       "Eintrag 2 der Dateiliste in Setup.inf ist fehlerhaft"},
      {"negative offset", "1=a.txt,-4|0&0\r\n", "0", "Eintrag 1 der Dateiliste in Setup.inf ist fehlerhaft"},
      {"offset that is not a number", "1=a.txt,zero|0&0\r\n", "5", "'zero' ist kein gültiger Integerwert"},
      {"time that is not a number", "1=a.txt,0|soon\r\n", "5", "'soon' ist kein gültiger Integerwert"},
      {"offset beyond the data", "1=a.txt,900|0&0\r\n", "950",
       "Der Setup-Datensatz passt nicht zur Dateiliste in Setup.inf"},
  };
  for (const auto& c : cases) {
    Installation install(std::vector<MediumFile>{{"a.txt", "hello"}});
    install.medium.Write("Setup.inf", "[General]\r\nNextOffset=" + c.next_offset + "\r\n[Files]\r\n" + c.files);
    install.table = LoadFileTable(ProfileFile::Load(install.medium.Path() + "Setup.inf"));
    try {
      install.Run();
      ADD_FAILURE() << c.name << ": no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), c.message) << c.name;
    }
    EXPECT_FALSE(fs::exists(install.destination.Native() / "b.txt")) << c.name;
  }
}

TEST(Extraction, ATruncatedSetupFileFailsInsteadOfAskingForADisk) {
  Installation install({{"a.bin", test::RandomBytes(20000, 8)}});
  fs::resize_file(install.medium.Native() / "Setup.stp", 10000);
  try {
    install.Run();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("unvollständig"), std::string::npos);
  }
  EXPECT_TRUE(install.host.disk_prompts.empty());
  EXPECT_TRUE(install.host.recorded.empty());
}

TEST(Extraction, WithoutSetupDataNothingIsInstalled) {
  Installation install(std::vector<MediumFile>{{"a.txt", "a"}});
  fs::remove(install.medium.Native() / "Setup.stp");
  EXPECT_EQ(install.Run(), Extraction::Outcome::kNoSetupData);
  EXPECT_TRUE(install.host.shown.empty());
}

}  // namespace
}  // namespace stp
