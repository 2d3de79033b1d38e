// What stptool pack writes and what it refuses. The round trip through
// extract in every arrangement of volumes is the stptool script's.

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/extraction.h"
#include "stptool/list.h"
#include "stptool/native_text.h"
#include "stptool/pack.h"
#include "support/medium.h"
#include "support/temp_dir.h"
#include "support/test_data.h"
#include "support/thrown.h"

namespace stptool {
namespace {

using stp::test::TempDir;
// A low half of 2^31 or more, which Setup.inf writes as a negative number.
constexpr stp::port::FileTime kHighLowHalf = (30000000ULL << 32) | 0x80000001u;
constexpr stp::port::FileTime kPlainTime = (29000000ULL << 32) | 12345u;
constexpr const char* kIdentity = "[product]\norganisation = O\nproduct = P\nversion = 1\n";

PackResult PackInto(const TempDir& out, const TempDir& source, const std::string& description,
                    const PackOptions& options = {}) {
  Progress quiet(false);
  return Pack(ParseProductDescription(description, "test"), source.Path(), out.Path(), options, quiet);
}

// Nothing is written then, not even the output folder.
TEST(Pack, RefusesWhatSetupCouldNotInstallNamingTheLine) {
  TempDir source;
  source.Write("a.txt", "a");
  source.Write("b.txt", "b");
  source.Write("sub/c.txt", "c");
  std::filesystem::create_directory(source.Native() / "empty");
  stp::test::WriteFileAt(source, "big.exe", std::string(1'500'000, 'x'), kPlainTime);
  const std::string a = "[files]\na.txt\n";
  const struct {
    std::string files;  // the [files] and [links] sections
    std::string message;
    PackOptions options = {};
  } kCases[] = {
      {"[files]\na.txt\nb.txt -> A.TXT\n",
       "test:7: the target 'A.TXT' of '" + ShownPath(source.Path() + "b.txt") +
           "' and the target 'a.txt' of '" + ShownPath(source.Path() + "a.txt") +
           "' (line 6) are the same file on Windows"},
      {"[files]\nmissing.txt\n", "test:6: no file"},
      {"[files]\nsub\n", "test:6: 'sub' is a folder; write 'sub/'"},
      {"[files]\nempty/\n", "test:6: the folder"},
      {"[files]\n", "test: [files] lists no file"},
      {"[files]\na.txt -> ..\\a.txt\n",
       "test:6: the target '" + ShownPath("..\\a.txt") + "' has a '..' part"},
      {"[files]\na.txt -> a,b.txt\n", "test:6: the target 'a,b.txt' holds ','"},
      {"[files]\na.txt -> " + std::string(1000, 'x') + "\n", "test:6: the [Files] value"},
      {a + "[links]\nA.lnk -> b.txt\n", "test:8: the shortcut's target 'b.txt'"},
      {"[files]\na.txt -> <windir>\\a.txt\n[links]\nA.lnk -> <windir>\\a.txt\n",
       "test:8: the shortcut's target"},
      {a, "Disk folders need volumes", {0, DiskFolders::kBelow, "", ""}},
      {a, "the first volume's size is 1 to 1457664 bytes", {1457665, DiskFolders::kNone, "", ""}},
      {a,
       "-v auto: Setup.exe, setup.bmp and Setup.inf take 1500672 bytes",
       {0, DiskFolders::kBeside, "", source.Path() + "big.exe", true}},
      {a, "no file", {0, DiskFolders::kNone, source.Path() + "none.bmp", ""}},
      {"[files]\na.txt\nb.txt -> setup\\launcher.exe\n",
       "-l: the target '" + ShownPath("Setup\\LAUNCHER.EXE") + "' of '" + ShownPath(source.Path() + "a.txt") +
           "' and the target '" + ShownPath("setup\\launcher.exe") + "' of '" +
           ShownPath(source.Path() + "b.txt") + "' (line 7)",
       {0, DiskFolders::kNone, "", "", false, source.Path() + "a.txt"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.message);
    TempDir out;
    Progress quiet(false);
    if (const auto e = stp::test::Thrown<ToolError>([&] {
          Pack(ParseProductDescription(kIdentity + c.files, "test"), source.Path(), out.Path() + "medium",
               c.options, quiet);
        })) {
      EXPECT_EQ(e->Status(), kUserError);
      EXPECT_NE(std::string(e->what()).find(c.message), std::string::npos) << e->what();
    }
    EXPECT_TRUE(std::filesystem::is_empty(out.Native()));
  }
}

// A medium whose installation would register an uninstall entry without a
// launcher is told apart; -l adds it as the last file of the table.
TEST(Pack, InstallsTheLauncherBelowTheRecordFolder) {
  TempDir source;
  source.Write("a.txt", "a");
  source.Write("own/Launcher.exe", "MZ launcher");
  const struct {
    const char* files;
    bool with_option;
    std::vector<std::string> targets;
    bool installs;
  } kCases[] = {
      {"a.txt\n", false, {"a.txt"}, false},
      {"a.txt\n", true, {"a.txt", "Setup\\LAUNCHER.EXE"}, true},
      {"own/Launcher.exe -> setup\\launcher.exe\na.txt\n", false, {"setup\\launcher.exe", "a.txt"}, true},
      {"own/Launcher.exe -> LAUNCHER.EXE\n", false, {"LAUNCHER.EXE"}, false},  // not in the record folder
  };
  for (const auto& c : kCases) {
    PackOptions options;
    if (c.with_option) options.launcher = source.Path() + "own\\Launcher.exe";
    TempDir out;
    const PackResult packed = PackInto(out, source, std::string(kIdentity) + "[files]\n" + c.files, options);
    std::vector<std::string> targets;
    for (const PackedFile& file : packed.files) targets.push_back(file.target);
    EXPECT_EQ(targets, c.targets) << c.files;
    EXPECT_EQ(InstallsLauncher(packed.files), c.installs) << c.files;
  }
}

// -v auto fills the first diskette exactly: what Setup.exe, setup.bmp and
// Setup.inf leave of it in whole clusters. A first diskette that overflows
// is reported, where it holds those files at all.
TEST(Pack, FitsTheFirstVolumeToTheFirstDiskette) {
  TempDir source;
  stp::test::WriteFileAt(source, "data.bin", stp::test::RandomBytes(2'000'000, 4), kPlainTime);
  stp::test::WriteFileAt(source, "Setup.exe", std::string(1'000'000, 'x'), kPlainTime);
  stp::test::WriteFileAt(source, "setup.bmp", std::string(10'000, 'x'), kPlainTime);
  const struct {
    DiskFolders disks;
    std::int64_t first_volume_size;  // 0: worked out
    bool overflows;
  } kCases[] = {
      {DiskFolders::kBeside, 0, false},
      {DiskFolders::kNone, 0, false},
      {DiskFolders::kBeside, 1'400'000, true},
      {DiskFolders::kBelow, 1'400'000, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.disks)) + " " + std::to_string(c.first_volume_size));
    TempDir out;
    const PackResult packed = PackInto(out, source, std::string(kIdentity) + "[files]\ndata.bin\n",
                                       {c.first_volume_size, c.disks, source.Path() + "setup.bmp",
                                        source.Path() + "Setup.exe", c.first_volume_size == 0});
    std::int64_t on_first_disk = 0;
    for (const char* name : {"Setup.exe", "setup.bmp", "Setup.inf"}) {
      on_first_disk +=
          OnDiskette(static_cast<std::int64_t>(stp::test::ReadFileAt(packed.setup_directory + name).size()));
    }
    const std::string first_volume =
        out.Path() + (c.disks == DiskFolders::kNone ? "" : "Disk1\\") + "Setup1.stp";
    const auto first_volume_size = static_cast<std::int64_t>(stp::test::ReadFileAt(first_volume).size());
    on_first_disk += OnDiskette(first_volume_size);
    if (c.first_volume_size == 0) {
      EXPECT_EQ(first_volume_size, packed.first_volume_size);
      EXPECT_LE(on_first_disk, kDisketteBytes);
      EXPECT_GT(on_first_disk,
                kDisketteBytes - 2 * kClusterBytes);  // room only for Setup.inf's widest offsets
    } else {
      EXPECT_EQ(first_volume_size, c.first_volume_size);
    }
    EXPECT_EQ(packed.first_disk_bytes > kDisketteBytes, c.overflows) << packed.first_disk_bytes;
    if (c.disks != DiskFolders::kBelow) {
      EXPECT_EQ(packed.first_disk_bytes, on_first_disk);
    }
  }
}

TEST(FileTimes, ReadAsSetupInfAndListWriteThem) {
  const struct {
    stp::port::FileTime time;
    const char* text;
    const char* utc;
  } kCases[] = {
      {0, "0&0", "1601-01-01 00:00:00"},
      {116444736000000000ULL, "-717324288&27111902", "1970-01-01 00:00:00"},
      {(1000000000ULL + 11644473600ULL) * 10000000ULL + 9999999, "1167595135&29440209",
       "2001-09-09 01:46:40"},
      {(29000000ULL << 32) | 0x80000000u, "-2147483648&29000000", "1995-09-12 18:49:33"},
      {0xFFFFFFFFFFFFFFFFULL, "-1&-1", "60056-05-28 05:36:10"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(FileTimeText(c.time), c.text);
    EXPECT_EQ(stp::StoredFileTime(c.text), c.time);
    EXPECT_EQ(FileTimeUtc(c.time), c.utc);
  }
  EXPECT_THROW(stp::StoredFileTime("12"), stp::Error);  // no high half
  EXPECT_THROW(stp::StoredFileTime("x&1"), stp::Error);
}

}  // namespace
}  // namespace stptool
