#include <gtest/gtest.h>

#include <filesystem>

#include "engine/extraction.h"
#include "engine/setup_data_reader.h"
#include "port/ansi_text.h"
#include "stptool/extract.h"
#include "stptool/list.h"
#include "stptool/native_text.h"
#include "stptool/new_files.h"
#include "stptool/pack.h"
#include "support/medium.h"
#include "support/temp_dir.h"
#include "support/test_data.h"

namespace stptool {
namespace {

using stp::test::TempDir;
constexpr std::int64_t kLater = stp::SetupDataReader::kLaterVolumeSize;
// A low half of 2^31 or more, which Setup.inf writes as a negative number.
constexpr stp::port::FileTime kHighLowHalf = (30000000ULL << 32) | 0x80000001u;
constexpr stp::port::FileTime kPlainTime = (29000000ULL << 32) | 12345u;

// The folder of files a distributor packs: text, a binary larger than a
// volume, an empty file, German names, and a file for each placeholder.
// Names are Windows-1252, as Setup.inf holds them.
struct SourceFile {
  const char* source;
  std::string installed;  // below the destination of stptool extract
  std::string content;
  stp::port::FileTime time;
};

std::vector<SourceFile> MixedFolder() {
  return {
      {"Liesmich.txt", "Liesmich.txt", stp::test::Text(20000), kHighLowHalf},
      {"Daten\\programm.bin", "Daten\\programm.bin", stp::test::RandomBytes(1'600'000, 11), kPlainTime},
      {"Daten\\leer.dat", "Daten\\leer.dat", "", kPlainTime + 1},
      {"Grüße\\Übersicht.txt", "Grüße\\Übersicht.txt", "Ä Ö Ü ß\r\n", kHighLowHalf + 7},
      {"ini\\textwerk.ini", std::string(kWindowsFolder) + "\\textwerk.ini", "[Textwerk]\r\nGröße=12\r\n",
       kPlainTime},
      {"Kurz.txt", std::string(kDesktopFolder) + "\\Kurz.txt", "Kurzanleitung", kPlainTime},
  };
}

constexpr const char* kMixedDescription =
    "[product]\norganisation = Beispiel\nproduct = Textwerk\nversion = 2.0\n"
    "[files]\n"
    "Liesmich.txt\n"
    "Daten/\n"
    "Grüße/Übersicht.txt -> Grüße\\\n"
    "ini/textwerk.ini -> <windir>\\textwerk.ini\n"
    "Kurz.txt -> <DESKTOP>\\\n"
    "[links]\n"
    "Textwerk\\Liesmich.lnk -> Liesmich.txt\n";

ExtractResult Extract(const std::string& medium, const std::string& destination) {
  Progress quiet(false);
  return ExtractMedium(OpenMedium(medium), destination, {}, quiet, Existing::kRefuse);
}

// Packs the mixed folder, lists the medium and extracts it: every file comes
// back byte for byte with its time, and Setup.exe finds what it needs.
TEST(PackExtract, ReproducesAMixedFolderInEveryArrangement) {
  const struct {
    const char* name;
    std::int64_t first_volume_size;
    DiskFolders disks;
    const char* setup_folder;  // where Setup.inf lies below the output
  } kArrangements[] = {
      {"one Setup.stp", 0, DiskFolders::kNone, ""},
      {"volumes beside Setup.inf", 100000, DiskFolders::kNone, ""},
      {"Disk folders below Setup.inf", 100000, DiskFolders::kBelow, ""},
      {"Disk folders beside one another", 100000, DiskFolders::kBeside, "Disk1\\"},
  };
  const std::vector<SourceFile> files = MixedFolder();
  TempDir source;
  for (const auto& file : files) stp::test::WriteFileAt(source, file.source, file.content, file.time);
  stp::test::WriteFileAt(source, "bild.bmp", "BM picture", kPlainTime);
  stp::test::WriteFileAt(source, "Setup.exe", "MZ program", kPlainTime);
  std::int64_t bytes = 0;
  for (const auto& file : files) bytes += static_cast<std::int64_t>(file.content.size());
  const auto description = ParseProductDescription(stp::AnsiToUtf8(kMixedDescription), "test");
  for (const auto& a : kArrangements) {
    SCOPED_TRACE(a.name);
    TempDir out;
    Progress quiet(false);
    const PackOptions options{a.first_volume_size, a.disks, source.Path() + "bild.bmp",
                              source.Path() + "Setup.exe"};
    const PackResult packed = Pack(description, source.Path(), out.Path(), options, quiet);
    const std::string setup = out.Path() + a.setup_folder;
    EXPECT_EQ(packed.setup_directory, setup);
    EXPECT_EQ(stp::test::ReadFileAt(setup + "setup.bmp"), "BM picture");
    EXPECT_EQ(stp::test::ReadFileAt(setup + "Setup.exe"), "MZ program");

    const auto inf = stp::ProfileFile::Load(setup + "Setup.inf");
    EXPECT_EQ(stp::ProductTitle(stp::ReadSetupConfiguration(inf)), "Beispiel Textwerk 2.0");
    EXPECT_EQ(stp::ReadTotalBytes(inf), bytes);
    EXPECT_EQ(packed.files[1].target, "Daten\\leer.dat");  // a folder's files in name order
    EXPECT_EQ(stp::LoadLinkTable(inf).LinkTargets, std::vector<std::string>{"Liesmich.txt"});

    // Volume 1 has the size asked for, every later one but the last exactly
    // a diskette's worth; together they hold the whole setup data.
    std::int64_t total = 0;
    for (int k = 1; k <= packed.volumes; ++k) {
      const std::string folder = a.disks == DiskFolders::kNone ? "" : "Disk" + std::to_string(k) + "\\";
      const auto size = static_cast<std::int64_t>(
          stp::test::ReadFileAt(out.Path() + folder + "Setup" + std::to_string(k) + ".stp").size());
      EXPECT_EQ(size, k == 1 ? a.first_volume_size : k < packed.volumes ? kLater : size) << k;
      total += size;
    }
    EXPECT_EQ(packed.volumes, a.first_volume_size == 0 ? 0 : 3);  // the binary runs over all three
    if (a.first_volume_size > 0) {
      EXPECT_EQ(total, packed.data_size);
    }

    // list shows every file with its decoded size and the volume its image
    // starts in.
    const auto listed = ListMedium(OpenMedium(out.Path()), {}, quiet);
    ASSERT_EQ(listed.size(), files.size());
    for (std::size_t i = 0; i < listed.size(); ++i) {
      const PackedFile& file = packed.files[i];
      EXPECT_EQ(listed[i].target, file.target);
      EXPECT_EQ(listed[i].size, file.size);
      EXPECT_EQ(listed[i].compressed_size, file.compressed_size);
      EXPECT_EQ(listed[i].time, file.time);
      const int volume = a.first_volume_size == 0 ? 0
                         : file.offset < a.first_volume_size
                             ? 1
                             : 2 + static_cast<int>((file.offset - a.first_volume_size) / kLater);
      EXPECT_EQ(listed[i].volume, volume) << file.target;
    }

    TempDir destination;
    EXPECT_EQ(Extract(out.Path(), destination.Path()).files, static_cast<int>(files.size()));
    for (const SourceFile& file : files) {
      const std::string path = destination.Path() + file.installed;
      EXPECT_EQ(stp::test::ReadFileAt(path), file.content) << file.installed;
      EXPECT_EQ(stp::test::WriteTimeAt(path), file.time) << file.installed;
    }
  }
}

// Names that would leave the destination folder and broken tables are
// refused before anything is written; a file left unfinished is removed.
TEST(ExtractMedium, RefusesADamagedMediumAndLeavesNoPartialFile) {
  const struct {
    const char* name;
    std::string files;        // [Files] of a hand-edited Setup.inf
    std::string next_offset;  // empty: as packed, with Setup.stp cut short
    const char* message;
  } kCases[] = {
      {"a '..' part", "1=a/../../evil.txt,0|0&0\r\n", "5", "'a/../../evil.txt' has a '..' part"},
      {"an absolute target", "1=\\etc\\evil,0|0&0\r\n", "5", "is absolute"},
      {"a placeholder without a folder", "1=<windir>evil.txt,0|0&0\r\n", "5",
       "needs a \"\\\" after <windir>"},
      {"offset that is not a number", "1=a.txt,zero|0&0\r\n", "5",
       "Setup.inf, [Files] 1: the offset 'zero' is not a number"},
      {"setup data cut short", "", "", "Setup.stp' is incomplete: it ends after 35000 bytes"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    TempDir medium;
    stp::test::WriteMedium(medium, {{"a.txt", stp::test::RandomBytes(40000, 9)}});
    if (c.next_offset.empty()) {
      std::filesystem::resize_file(medium.Native() / "Setup.stp", 35000);
    } else {
      medium.Write("Setup.inf", "[General]\r\nNextOffset=" + c.next_offset + "\r\n[Files]\r\n" + c.files);
    }
    TempDir destination;
    try {
      Extract(medium.Path(), destination.Path());
      ADD_FAILURE() << "no error";
    } catch (const ToolError& e) {
      EXPECT_EQ(e.Status(), kDamaged);
      EXPECT_NE(std::string(e.what()).find(Shown(c.message)), std::string::npos) << e.what();
    }
    EXPECT_TRUE(std::filesystem::is_empty(destination.Native()));
  }
}

TEST(Pack, RefusesWhatSetupCouldNotInstallNamingTheLine) {
  TempDir source;
  source.Write("a.txt", "a");
  source.Write("b.txt", "b");
  source.Write("sub/c.txt", "c");
  std::filesystem::create_directory(source.Native() / "empty");
  stp::test::WriteFileAt(source, "big.exe", std::string(1'500'000, 'x'), kPlainTime);
  const struct {
    const char* name;
    std::string files;  // the [files] and [links] sections
    std::string message;
    PackOptions options = {};
  } kCases[] = {
      {"the same target twice", "[files]\na.txt\nb.txt -> A.TXT\n",
       "test:7: the target 'A.TXT' of '" + ShownPath(source.Path() + "b.txt") +
           "' and the target 'a.txt' of '" + ShownPath(source.Path() + "a.txt") +
           "' (line 6) are the same file on Windows"},
      {"a missing source", "[files]\nmissing.txt\n", "test:6: no file"},
      {"a folder without its slash", "[files]\nsub\n", "test:6: 'sub' is a folder; write 'sub/'"},
      {"a folder without files", "[files]\nempty/\n", "test:6: the folder"},
      {"no files at all", "[files]\n", "test: [files] lists no file"},
      {"a target leaving the destination", "[files]\na.txt -> ..\\a.txt\n",
       "test:6: the target '" + ShownPath("..\\a.txt") + "' has a '..' part"},
      {"a device's name", "[files]\na.txt -> sub\\NUL.txt\n",
       "test:6: the target '" + ShownPath("sub\\NUL.txt") + "' has the part 'NUL.txt', the name of a device"},
      {"a trailing dot", "[files]\na.txt -> sub\\a.\n",
       "test:6: the target '" + ShownPath("sub\\a.") + "' has the part 'a.', which ends in a dot"},
      {"a target with a comma", "[files]\na.txt -> a,b.txt\n", "test:6: the target 'a,b.txt' holds ','"},
      {"a target too long for Setup.inf", "[files]\na.txt -> " + std::string(1000, 'x') + "\n",
       "test:6: the [Files] value"},
      {"a shortcut to nothing installed", "[files]\na.txt\n[links]\nA.lnk -> b.txt\n",
       "test:8: the shortcut's target 'b.txt'"},
      {"a shortcut to the Windows folder",
       "[files]\na.txt -> <windir>\\a.txt\n[links]\nA.lnk -> <windir>\\a.txt\n",
       "test:8: the shortcut's target"},
      {"Disk folders without volumes",
       "[files]\na.txt\n",
       "Disk folders need volumes",
       {0, DiskFolders::kBelow, "", ""}},
      {"a first volume larger than a diskette",
       "[files]\na.txt\n",
       "the first volume's size is 1 to 1457664 bytes",
       {1457665, DiskFolders::kNone, "", ""}},
      {"no room left on the first diskette",
       "[files]\na.txt\n",
       "-v auto: Setup.exe, setup.bmp and Setup.inf take 1500672 bytes",
       {0, DiskFolders::kBeside, "", source.Path() + "big.exe", true}},
      {"a missing picture",
       "[files]\na.txt\n",
       "no file",
       {0, DiskFolders::kNone, source.Path() + "none.bmp", ""}},
      {"a missing launcher",
       "[files]\na.txt\n",
       "no file",
       {0, DiskFolders::kNone, "", "", false, source.Path() + "none.exe"}},
      {"a launcher the description installs already",
       "[files]\na.txt\nb.txt -> setup\\launcher.exe\n",
       "-l: the target '" + ShownPath("Setup\\LAUNCHER.EXE") + "' of '" + ShownPath(source.Path() + "a.txt") +
           "' and the target '" + ShownPath("setup\\launcher.exe") + "' of '" +
           ShownPath(source.Path() + "b.txt") + "' (line 7)",
       {0, DiskFolders::kNone, "", "", false, source.Path() + "a.txt"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const auto description =
        ParseProductDescription("[product]\norganisation = O\nproduct = P\nversion = 1\n" + c.files, "test");
    TempDir out;
    Progress quiet(false);
    try {
      Pack(description, source.Path(), out.Path() + "medium", c.options, quiet);
      ADD_FAILURE() << "no error";
    } catch (const ToolError& e) {
      EXPECT_EQ(e.Status(), kUserError);
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
    EXPECT_TRUE(std::filesystem::is_empty(out.Native()));
  }
}

// The launcher is the last file of the table, compressed like the others;
// a medium whose installation would register an uninstall entry without it
// is told apart.
TEST(Pack, InstallsTheLauncherBelowTheRecordFolder) {
  TempDir source;
  stp::test::WriteFileAt(source, "a.txt", "a", kPlainTime);
  stp::test::WriteFileAt(source, "own\\Launcher.exe", "MZ launcher", kHighLowHalf);
  const struct {
    const char* name;
    const char* files;
    bool with_option;
    std::vector<std::string> targets;
  } kCases[] = {
      {"none", "a.txt\n", false, {"a.txt"}},
      {"from -l", "a.txt\n", true, {"a.txt", "Setup\\LAUNCHER.EXE"}},
      {"described",
       "own/Launcher.exe -> setup\\launcher.exe\na.txt\n",
       false,
       {"setup\\launcher.exe", "a.txt"}},
      {"not in the record folder", "own/Launcher.exe -> LAUNCHER.EXE\n", false, {"LAUNCHER.EXE"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const auto description = ParseProductDescription(
        std::string("[product]\norganisation = O\nproduct = P\nversion = 1\n[files]\n") + c.files, "test");
    PackOptions options;
    if (c.with_option) options.launcher = source.Path() + "own\\Launcher.exe";
    TempDir out;
    Progress quiet(false);
    const PackResult packed = Pack(description, source.Path(), out.Path(), options, quiet);
    std::vector<std::string> targets;
    for (const PackedFile& file : packed.files) targets.push_back(file.target);
    EXPECT_EQ(targets, c.targets);
    const bool installs = c.with_option || std::string(c.name) == "described";
    EXPECT_EQ(InstallsLauncher(packed.files), installs);
    if (!installs) continue;

    TempDir destination;
    Extract(out.Path(), destination.Path());
    const std::string launcher = destination.Path() + c.targets[c.with_option ? 1 : 0];
    EXPECT_EQ(stp::test::ReadFileAt(launcher), "MZ launcher");
    EXPECT_EQ(stp::test::WriteTimeAt(launcher), kHighLowHalf);
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
  const auto description = ParseProductDescription(
      "[product]\norganisation = O\nproduct = P\nversion = 1\n[files]\ndata.bin\n", "test");
  const struct {
    const char* name;
    PackOptions options;
    std::int64_t first_volume_size;  // -1: worked out
    bool overflows;
  } kCases[] = {
      {"auto, beside", {0, DiskFolders::kBeside, "", "", true}, -1, false},
      {"auto, in one folder", {0, DiskFolders::kNone, "", "", true}, -1, false},
      {"too large, beside", {1'400'000, DiskFolders::kBeside, "", ""}, 1'400'000, true},
      {"too large, below", {1'400'000, DiskFolders::kBelow, "", ""}, 1'400'000, false},
  };
  for (auto c : kCases) {
    SCOPED_TRACE(c.name);
    c.options.picture = source.Path() + "setup.bmp";
    c.options.setup_program = source.Path() + "Setup.exe";
    TempDir out;
    Progress quiet(false);
    const PackResult packed = Pack(description, source.Path(), out.Path(), c.options, quiet);
    std::int64_t on_first_disk = 0;
    for (const char* name : {"Setup.exe", "setup.bmp", "Setup.inf"}) {
      on_first_disk +=
          OnDiskette(static_cast<std::int64_t>(stp::test::ReadFileAt(packed.setup_directory + name).size()));
    }
    const std::string first_volume =
        (c.options.disk_folders == DiskFolders::kNone ? out.Path() : out.Path() + "Disk1\\") + "Setup1.stp";
    const auto first_volume_size = static_cast<std::int64_t>(stp::test::ReadFileAt(first_volume).size());
    on_first_disk += OnDiskette(first_volume_size);
    if (c.first_volume_size < 0) {
      EXPECT_EQ(first_volume_size, packed.first_volume_size);
      EXPECT_LE(on_first_disk, kDisketteBytes);
      EXPECT_GT(on_first_disk,
                kDisketteBytes - 2 * kClusterBytes);  // room only for Setup.inf's widest offsets
    } else {
      EXPECT_EQ(first_volume_size, c.first_volume_size);
    }
    EXPECT_EQ(packed.first_disk_bytes > kDisketteBytes, c.overflows) << packed.first_disk_bytes;
    if (c.options.disk_folders != DiskFolders::kBelow) {
      EXPECT_EQ(packed.first_disk_bytes, on_first_disk);
    }
  }
}

TEST(NewFiles, RemovesWhatARunMadeUnlessKept) {
  TempDir dir;
  for (const bool keep : {false, true}) {
    {
      NewFiles made;
      made.MakeFolder(dir.Path() + "medium\\");
      made.MakeFolder(dir.Path() + "medium\\Disk1");
      made.Create(dir.Path() + "medium\\Disk1\\Setup1.stp").Close();
      if (keep) made.Keep();
    }
    EXPECT_EQ(stp::port::FileExists(dir.Path() + "medium\\Disk1\\Setup1.stp"), keep);
    EXPECT_EQ(stp::port::DirectoryExists(dir.Path() + "medium"), keep);
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
