#include "engine/extraction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "support/medium.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "support/test_data.h"

namespace stp {
namespace {

namespace fs = std::filesystem;
using test::MediumFile;
using test::RandomBytes;

// A medium in one folder and a destination folder beside it.
struct Installation {
  test::TempDir medium;
  test::TempDir destination;
  test::RecordingHost host;
  FileTable table;
  std::vector<std::pair<int, std::string>> recorded;

  explicit Installation(const std::vector<MediumFile>& files, std::int64_t first_volume_size = 0)
      : table(test::WriteMedium(medium, files, first_volume_size)) {}

  Extraction::Outcome Run() {
    const TargetPlaces places{destination.Path(), destination.Path() + "Windows\\",
                              destination.Path() + "Desktop"};
    return Extraction(table, places, medium.Path(), host,
                      [this](int key, const std::string& path) { recorded.emplace_back(key, path); })
        .InstallFiles();
  }

  // Files the extraction decoded into and did not put in place.
  bool LeftoversBeside() const {
    for (const auto& entry : fs::recursive_directory_iterator(destination.Native())) {
      if (entry.path().filename().string().starts_with("~stp")) return true;
    }
    return false;
  }
};

// Each file comes out with its content and time and is recorded, wherever
// the volumes cut the setup data.
TEST(Extraction, InstallsEveryFileAcrossVolumeBoundaries) {
  const std::vector<MediumFile> files = {
      {"a.bin", RandomBytes(50000, 2), "0&29000000"},
      {"sub\\b.bin", RandomBytes(70000, 3)},
      {"<WinDir>\\c.ini", "[c]"},
      {"empty", ""},  // replaces the file there
  };
  const std::string installed[] = {"a.bin", "sub\\b.bin", "Windows\\c.ini", "empty"};
  const FileTable whole = test::WriteMedium(test::TempDir(), files);
  const std::int64_t a = std::stoll(whole.FileOffsets[1]);
  const std::int64_t data = std::stoll(whole.FileOffsets.back());
  const struct {
    const char* name;
    std::int64_t first_volume_size;
    int first_disk, last_disk;
  } kCases[] = {
      {"one Setup.stp", 0, 0, 0},
      {"b starts at the first byte of volume 2", a, 1, 2},
      {"b starts one byte before it", a + 1, 1, 2},
      // b's second request of 32768 bytes finds 30000 bytes left in volume 1
      // and takes the other 2768 from the start of volume 2.
      {"a request across the boundary", a + 32768 + 30000, 1, 2},
      {"a request ending at the boundary", a + 32768, 1, 2},
      {"the first image across the boundary", 1000, 1, 2},
      {"the empty last image at the end of volume 1", data, 1, 1},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Installation install(files, c.first_volume_size);
    install.destination.Write("empty", "old content");
    ASSERT_EQ(install.Run(), Extraction::Outcome::kDone);
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
      const std::string path = install.destination.Path() + installed[i];
      EXPECT_EQ(test::ReadFileAt(path), files[i].content) << path;
      EXPECT_EQ(test::WriteTimeAt(path), StoredFileTime(files[i].time)) << path;
      ASSERT_LT(i, install.recorded.size());
      EXPECT_EQ(install.recorded[i], std::make_pair(static_cast<int>(i + 1), path));
      total += files[i].content.size();
    }
    EXPECT_EQ(install.host.advanced, total);
    EXPECT_TRUE(install.host.error_numbers.empty());
    EXPECT_TRUE(install.host.disk_prompts.empty());
    EXPECT_EQ(install.host.shown.front(), std::make_pair(install.destination.Path() + "a.bin", c.first_disk));
    EXPECT_EQ(install.host.shown.back().second, c.last_disk);
  }
}

TEST(ExpandTarget, PlaceholdersCountInAnyCaseAtTheStartOnly) {
  const TargetPlaces places{"C:\\Programme\\P\\", "C:\\WINDOWS\\", "C:\\Desktop"};
  const struct {
    const char* target;
    const char* expanded;
  } kCases[] = {
      {"a.exe", "C:\\Programme\\P\\a.exe"},
      {"<windir>\\a.ini", "C:\\WINDOWS\\a.ini"},
      {"<WinDir>\\a.ini", "C:\\WINDOWS\\a.ini"},
      {"<DESKTOP>\\a.lnk", "C:\\Desktop\\a.lnk"},
      {"sub\\<windir>\\a", "C:\\Programme\\P\\sub\\<windir>\\a"},
      {"<windows>\\a", "C:\\Programme\\P\\<windows>\\a"},
  };
  for (const auto& c : kCases) EXPECT_EQ(ExpandTarget(c.target, places), c.expanded) << c.target;
  // A folder that is not known would put the file at the root of the
  // current drive.
  const TargetPlaces unknown{"C:\\Programme\\P\\", "", ""};
  EXPECT_THROW(ExpandTarget("<windir>\\a.ini", unknown), Error);
  EXPECT_THROW(ExpandTarget("<desktop>\\a.lnk", unknown), Error);
  EXPECT_EQ(ExpandTarget("a.exe", unknown), "C:\\Programme\\P\\a.exe");
}

TEST(Extraction, AnUnwritableTargetIsDecodedAndDiscardedAndTheRunGoesOn) {
  Installation install({{"blocked", "never written"}, {"next.txt", "still installed"}});
  fs::create_directories(install.destination.Native() / "blocked");  // a folder stands in the way
  ASSERT_EQ(install.Run(), Extraction::Outcome::kDone);
  EXPECT_EQ(install.destination.Read("next.txt"), "still installed");
  // Opening for the time stamp fails, and so does stamping without a file.
  EXPECT_EQ(install.host.error_numbers, (std::vector<int>{kAccessDenied, kInvalidHandle}));
  EXPECT_EQ(install.recorded.size(), 2u);
  EXPECT_EQ(install.host.advanced,
            std::string("never written").size() + std::string("still installed").size());
}

// A file is decoded beside its target and takes its place only once it is
// complete: a cancel or a failure part-way leaves a file that was there as
// it was, and nothing half-written behind. A read-only target keeps its
// content, costs two error numbers and is recorded all the same.
TEST(Extraction, ReplacesATargetOnlyWithACompleteFile) {
  enum class Stop { kNever, kCancel, kDataCutShort };
  const struct {
    const char* name;
    bool existing;  // big.bin holds "old content" before the run
    bool read_only;
    Stop stop;
    std::optional<Extraction::Outcome> outcome;  // none: the run throws
    std::vector<int> error_numbers;
    std::size_t recorded;
  } kCases[] = {
      {"cancel over an existing file", true, false, Stop::kCancel, Extraction::Outcome::kCancelled, {}, 1},
      {"cancel in a new file", false, false, Stop::kCancel, Extraction::Outcome::kCancelled, {}, 1},
      {"setup data cut short over an existing file", true, false, Stop::kDataCutShort, std::nullopt, {}, 1},
      {"a read-only existing file",
       true,
       true,
       Stop::kNever,
       Extraction::Outcome::kDone,
       {kAccessDenied, kInvalidHandle},
       3},
  };
  const std::string big = RandomBytes(200000, 5);
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Installation install({{"first.txt", "complete"}, {"big.bin", big}, {"third", "x"}});
    if (c.existing) install.destination.Write("big.bin", "old content");
    if (c.read_only) install.destination.SetReadOnly("big.bin");
    if (c.stop == Stop::kCancel) {
      // After the first decoded block of big.bin has been written.
      install.host.on_advance = [&] { install.host.cancel_confirmed = install.host.shown.size() == 2; };
    }
    if (c.stop == Stop::kDataCutShort) {
      fs::resize_file(install.medium.Native() / "Setup.stp",
                      std::stoull(install.table.FileOffsets[1]) + 50000);
    }
    if (c.outcome) {
      EXPECT_EQ(install.Run(), *c.outcome);
    } else {
      EXPECT_THROW(install.Run(), Error);
    }
    EXPECT_EQ(fs::exists(install.destination.Native() / "big.bin"), c.existing);
    if (c.existing) {
      EXPECT_EQ(install.destination.Read("big.bin"), "old content");
    }
    EXPECT_FALSE(install.LeftoversBeside());
    EXPECT_EQ(install.host.error_numbers, c.error_numbers);
    EXPECT_EQ(install.recorded.size(), c.recorded);
    EXPECT_EQ(fs::exists(install.destination.Native() / "third"), c.outcome == Extraction::Outcome::kDone);
  }
}

// The flag is tested before each entry and in the read requests only: a
// cancel while the last file's final block is written leaves that file out
// but stops no entry.
TEST(Extraction, ACancelDuringTheLastFilesFinalBlockLeavesItUnrecorded) {
  Installation install({{"a.txt", "a"}, {"b.txt", "b"}});
  install.host.on_advance = [&] { install.host.cancel_confirmed = install.host.shown.size() == 2; };
  EXPECT_EQ(install.Run(), Extraction::Outcome::kDone);
  EXPECT_EQ(install.recorded.size(), 1u);
  EXPECT_FALSE(fs::exists(install.destination.Native() / "b.txt"));
  EXPECT_FALSE(install.LeftoversBeside());
}

TEST(Extraction, AsksForAMissingVolumeUntilItIsThereOrThePromptEnds) {
  const struct {
    const char* name;
    std::size_t prompts;
    const char* brought_to;  // where the last prompt puts the volume before it answers OK
    bool cancel_confirmed;
    std::optional<Extraction::Outcome> outcome;  // none: the run throws
  } kCases[] = {
      {"there after the second OK", 2, "Setup2.stp", false, Extraction::Outcome::kDone},
      // Each OK looks in every place again.
      {"put into its Disk folder after the first OK", 1, "Disk2/Setup2.stp", false,
       Extraction::Outcome::kDone},
      {"prompt ended, cancel confirmed", 1, nullptr, true, Extraction::Outcome::kCancelled},
      {"prompt ended otherwise", 1, nullptr, false, std::nullopt},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Installation install({{"a.bin", RandomBytes(9000, 6)}, {"b.txt", "b"}}, 4000);
    const fs::path away = install.destination.Native() / "away";
    fs::rename(install.medium.Native() / "Setup2.stp", away);
    install.host.on_disk_prompt = [&](int) {
      const std::size_t prompts = install.host.disk_prompts.size();
      if (c.brought_to && prompts == c.prompts) {
        const fs::path place = install.medium.Native() / c.brought_to;
        fs::create_directories(place.parent_path());
        fs::rename(away, place);
      }
      install.host.cancel_confirmed = c.cancel_confirmed;
      // A prompt that keeps asking for a volume in place ends here.
      return c.brought_to != nullptr && prompts <= c.prompts;
    };
    if (c.outcome) {
      EXPECT_EQ(install.Run(), *c.outcome);
    } else {
      EXPECT_THROW(install.Run(), Error);
    }
    EXPECT_EQ(install.host.disk_prompts.size(), c.prompts);
    EXPECT_EQ(install.host.disk_prompts.front(), std::make_pair(2, install.medium.Path()));
    const bool done = c.outcome == Extraction::Outcome::kDone;
    EXPECT_EQ(install.recorded.size(), done ? 2u : 0u);
    EXPECT_EQ(fs::exists(install.destination.Native() / "b.txt"), done);
  }
}

TEST(Extraction, MalformedTablesFailBeforeTheirEntryIsWritten) {
  const struct {
    const char* name;
    std::string files;
    std::string next_offset;
    std::string message;
  } kCases[] = {
      {"offsets running backwards", "1=a.txt,0|0&0\r\n2=b.txt,10|0&0\r\n", "5",
       "Eintrag 2 der Dateiliste in Setup.inf ist fehlerhaft"},
      {"negative offset", "1=a.txt,-4|0&0\r\n", "0", "Eintrag 1 der Dateiliste in Setup.inf ist fehlerhaft"},
      {"offset that is not a number", "1=a.txt,zero|0&0\r\n", "5", "'zero' ist kein gültiger Integerwert"},
      {"time that is not a number", "1=a.txt,0|soon\r\n", "5", "'soon' ist kein gültiger Integerwert"},
      {"offset beyond the data", "1=a.txt,90000|0&0\r\n", "90050",
       "Der Setup-Datensatz passt nicht zur Dateiliste in Setup.inf"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Installation install({{"a.txt", RandomBytes(20000, 8)}});
    install.medium.Write("Setup.inf",
                         "[General]\r\nNextOffset=" + c.next_offset + "\r\n[Files]\r\n" + c.files);
    install.table = LoadFileTable(ProfileFile::Load(install.medium.Path() + "Setup.inf"));
    try {
      install.Run();
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), c.message);
    }
    EXPECT_TRUE(fs::is_empty(install.destination.Native()));
  }
}

TEST(Extraction, WithoutSetupDataNothingIsInstalled) {
  Installation install(std::vector<MediumFile>{{"a.txt", "a"}});
  fs::remove(install.medium.Native() / "Setup.stp");
  EXPECT_EQ(install.Run(), Extraction::Outcome::kNoSetupData);
  EXPECT_TRUE(install.host.shown.empty());
}

}  // namespace
}  // namespace stp
