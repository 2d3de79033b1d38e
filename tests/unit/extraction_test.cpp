// The extraction of the files from the setup data: volumes, the target's
// place, the checksums, and the tables it refuses.

#include "engine/extraction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "engine/content_check.h"
#include "engine/setup_data_reader.h"
#include "support/medium.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "support/test_data.h"
#include "support/thrown.h"

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
  const std::int64_t b = std::stoll(whole.FileOffsets[1]);
  const struct {
    const char* name;
    std::int64_t first_volume_size;
    int first_disk, last_disk;
  } kCases[] = {
      {"one Setup.stp", 0, 0, 0},
      {"b starts at the first byte of volume 2", b, 1, 2},
      {"b starts one byte before it", b + 1, 1, 2},
      // b's second request of 32768 bytes finds 30000 bytes left in volume 1
      // and takes the other 2768 from the start of volume 2.
      {"a request across the boundary", b + 32768 + 30000, 1, 2},
      {"a request ending at the boundary", b + 32768, 1, 2},
      {"the first image across the boundary", 1000, 1, 2},
      {"the empty last image at the end of volume 1", std::stoll(whole.FileOffsets.back()), 1, 1},
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
  const std::pair<const char*, const char*> kCases[] = {
      {"a.exe", "C:\\Programme\\P\\a.exe"},
      {"<WinDir>\\a.ini", "C:\\WINDOWS\\a.ini"},
      {"<DESKTOP>\\a.lnk", "C:\\Desktop\\a.lnk"},
      {"sub\\<windir>\\a", "C:\\Programme\\P\\sub\\<windir>\\a"},
      {"<windows>\\a", "C:\\Programme\\P\\<windows>\\a"},
  };
  for (const auto& [target, expanded] : kCases) EXPECT_EQ(ExpandTarget(target, places), expanded) << target;
  // A folder that is not known would put the file at the root of the
  // current drive.
  const TargetPlaces unknown{"C:\\Programme\\P\\", "", ""};
  EXPECT_THROW(ExpandTarget("<windir>\\a.ini", unknown), Error);
  EXPECT_THROW(ExpandTarget("<desktop>\\a.lnk", unknown), Error);
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
    EXPECT_FALSE(test::HoldsPendingFile(install.destination));
    EXPECT_EQ(install.host.error_numbers, c.error_numbers);
    EXPECT_EQ(install.recorded.size(), c.recorded);
    EXPECT_EQ(fs::exists(install.destination.Native() / "third"), c.outcome == Extraction::Outcome::kDone);
  }
}

// Setup.exe goes on after a target it cannot create, decoding its data to
// stay in step; the host is told why it could not be created.
TEST(Extraction, TellsTheHostWhyATargetCouldNotBeCreatedAndGoesOn) {
  Installation install({{"sub\\a.txt", "a"}, {"b.txt", "b"}});
  install.destination.Write("sub", "a file where the folder goes");
  install.Run();
  ASSERT_EQ(install.host.not_created.size(), 1u);
  EXPECT_EQ(install.host.not_created[0].first, install.destination.Path() + "sub\\a.txt");
  EXPECT_NE(install.host.not_created[0].second, kFileNotFound);
  EXPECT_EQ(install.destination.Read("b.txt"), "b");
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
      return c.brought_to != nullptr && prompts <= c.prompts;  // else the prompt ends here
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

// The German that Setup.exe shows, the English that stptool says; nothing
// is written.
TEST(Extraction, RefusesABrokenTableBeforeAnyFile) {
  const std::string kTwo = "1=a.txt,0|0&0\r\n2=b.txt,0|0&0\r\n";
  const struct {
    std::string inf;  // after "[General]\r\nNextOffset="
    const char* german;
    const char* english;
  } kCases[] = {
      {"5\r\n[Files]\r\n1=a.txt,0|0&0\r\n2=b.txt,10|0&0\r\n",
       "Eintrag 2 der Dateiliste in Setup.inf ist fehlerhaft",
       "Setup.inf, [Files] 2: its offset 10 lies after NextOffset, 5, which would give its data a negative "
       "length"},
      {"0\r\n[Files]\r\n1=a.txt,-4|0&0\r\n", "Eintrag 1 der Dateiliste in Setup.inf ist fehlerhaft",
       "Setup.inf, [Files] 1: its offset -4 is negative"},
      {"5\r\n[Files]\r\n1=a.txt,zero|0&0\r\n", "'zero' ist kein gültiger Integerwert",
       "Setup.inf, [Files] 1: the offset 'zero' is not a number"},
      {"end\r\n[Files]\r\n1=a.txt,0|0&0\r\n", "'end' ist kein gültiger Integerwert",
       "Setup.inf: NextOffset 'end' is not a number"},
      {"90050\r\n[Files]\r\n1=a.txt,90000|0&0\r\n",
       "Der Setup-Datensatz passt nicht zur Dateiliste in Setup.inf",
       "the setup data do not fit the file table of Setup.inf: the offset 90000"},
      {"0\r\n[Files]\r\n" + kTwo + "[Checksums]\r\n1=0,00000000\r\n2=x\r\n",
       "Eintrag 2 der Prüfsummen in Setup.inf ist fehlerhaft",
       "Setup.inf, [Checksums] 2: 'x' is not SIZE,CRC"},
      {"0\r\n[Files]\r\n" + kTwo + "[Checksums]\r\n1=0,00000000\r\n",
       "Eintrag 2 der Prüfsummen in Setup.inf ist fehlerhaft", "Setup.inf, [Checksums] 2: missing"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.english);
    Installation install({{"a.txt", RandomBytes(20000, 8)}});
    install.medium.Write("Setup.inf", "[General]\r\nNextOffset=" + c.inf);
    install.table = LoadFileTable(ProfileFile::Load(install.medium.Path() + "Setup.inf"));
    if (const auto e = test::Thrown<Error>([&] { install.Run(); })) {
      EXPECT_EQ(e->what(), std::string(c.german));
      EXPECT_EQ(e->English().find(c.english), 0u) << e->English();
    }
    EXPECT_TRUE(fs::is_empty(install.destination.Native()));
  }
}

// Where Setup.inf stores a file's size and CRC-32, content that differs is
// never put in place, stamped or recorded, and the run ends with a message
// that names the file and the volumes its data came from. The files before
// it are installed; a file already in its place keeps its content.
TEST(Extraction, InstallsOnlyTheContentThatSetupInfStores) {
  const std::string b = RandomBytes(60000, 21);
  const std::vector<MediumFile> files = {{"a.txt", test::Text(4000)}, {"b.bin", b}, {"c.txt", "c"}};
  const std::int64_t b_start = std::stoll(test::WriteMedium(test::TempDir(), files).FileOffsets[1]);
  const auto flip = [](const char* volume, std::int64_t position) {
    return [=](Installation& i) { test::FlipByte(i.medium, volume, position); };
  };
  const auto volumes_1_to_2 = [](const std::string& m) {
    return "auf den Installationsdisketten 1 bis 2 (" + m + "Setup1.stp bis " + m + "Setup2.stp)";
  };
  const struct {
    const char* name;
    std::int64_t first_volume_size;
    std::function<void(Installation&)> damage;
    // Where the message places b's data, given the medium's folder; none
    // where b is installed.
    std::function<std::string(const std::string&)> place;
  } kCases[] = {
      {"intact", 0, [](Installation&) {}, nullptr},
      {"a byte of Setup.stp changed", 0, flip("Setup.stp", b_start + 30000),
       [](const std::string& m) { return "in " + m + "Setup.stp"; }},
      {"a byte of volume 2 changed", b_start + 10, flip("Setup2.stp", 30000), volumes_1_to_2},
      {"b alone on volume 2, changed", b_start, flip("Setup2.stp", 100),
       [](const std::string& m) { return "auf der Installationsdiskette 2 (" + m + "Setup2.stp)"; }},
      // Without the section, changed content is installed as it comes.
      {"a byte changed, no section", 0,
       [&](Installation& i) {
         test::FlipByte(i.medium, "Setup.stp", b_start + 30000);
         i.table.FileChecks.reset();
       },
       nullptr},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Installation install(files, c.first_volume_size);
    c.damage(install);
    install.destination.Write("b.bin", "old content");
    if (!c.place) {
      install.Run();
    } else if (const auto e = test::Thrown<DamagedFileError>([&] { install.Run(); })) {
      EXPECT_EQ(e->what(), "Die Daten der Datei " + install.destination.Path() + "b.bin " +
                               c.place(install.medium.Path()) +
                               " sind beschädigt, die Installation wird abgebrochen");
      EXPECT_EQ(e->English().find("'" + install.destination.Path() + "b.bin' is damaged: its data in "), 0u)
          << e->English();
    }
    const std::string b_now = install.destination.Read("b.bin");
    const bool installed = !c.place;
    EXPECT_EQ(b_now == "old content", !installed);
    EXPECT_EQ(b_now == b, installed && install.table.FileChecks.has_value());  // else as it came
    EXPECT_EQ(install.recorded.size(), installed ? 3u : 1u);
    EXPECT_EQ(install.destination.Read("a.txt"), files[0].content);
    EXPECT_EQ(fs::exists(install.destination.Native() / "c.txt"), installed);
    EXPECT_FALSE(test::HoldsPendingFile(install.destination));
  }
}

// A table whose entry 2 is renumbered 3 ends at entry 1, whose data then run
// on over the images of the others: decoding stops as soon as the content
// passes the stored size instead of running on to the end of the data.
TEST(Extraction, StopsDecodingOnceAFileGrowsPastItsStoredSize) {
  Installation install({{"a.txt", test::Text(40000)}, {"b.bin", RandomBytes(300000, 22)}});
  install.table.FileTargets.resize(1);
  install.table.FileTimes.resize(1);
  install.table.FileOffsets.erase(install.table.FileOffsets.begin() + 1);
  install.table.FileChecks->resize(1);
  EXPECT_THROW(install.Run(), DamagedFileError);
  EXPECT_LE(install.host.advanced, 40000u + 32768u);
  EXPECT_FALSE(fs::exists(install.destination.Native() / "a.txt"));
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
// Every later volume counts as exactly kLaterVolumeSize bytes; going on from
// one of another size would read the wrong bytes for the rest.
TEST(SetupDataReader, PositionsOnlyWhereTheVolumesPutAnImage) {
  constexpr auto kLater = static_cast<std::size_t>(SetupDataReader::kLaterVolumeSize);
  const struct {
    const char* folder;
    std::vector<std::int32_t> offsets;
    int disk;          // after the last offset; -1: it is refused
    const char* read;  // there
    std::size_t volume_2 = kLater;
  } kCases[] = {
      {"", {10}, 2, "BB"},  // at the first byte of volume 2: that volume
      {"", {10, static_cast<std::int32_t>(10 + kLater)}, 3, "CC"},
      {"", {-1}, -1, ""},
      {"", {11}, -1, ""},  // in volume 2, with volume 1 open
      {"", {10, 5}, -1, ""},
      {"single\\", {3}, 0, ""},  // an empty image at the very end
      {"single\\", {4}, -1, ""},
      {"", {10, static_cast<std::int32_t>(10 + kLater)}, -1, "", kLater - 1},
      {"", {10, static_cast<std::int32_t>(10 + kLater)}, -1, "", kLater + 1},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(c.offsets) + " " + std::to_string(c.volume_2));
    test::TempDir dir;
    dir.Write("Setup1.stp", "0123456789");
    dir.Write("Setup2.stp", std::string(c.volume_2, 'B'));
    dir.Write("Setup3.stp", "CCC");
    dir.Write("single/Setup.stp", "abc");
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
    std::string bytes(2, '\0');
    bytes.resize(reader.Read(bytes.data(), 2));
    EXPECT_EQ(bytes, c.read);
    EXPECT_TRUE(host.disk_prompts.empty());
  }
}

}  // namespace
}  // namespace stp
