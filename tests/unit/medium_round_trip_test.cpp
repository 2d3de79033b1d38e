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

namespace stptool {
namespace {

using stp::test::TempDir;
constexpr std::int64_t kLater = stp::SetupDataReader::kLaterVolumeSize;
// A low half of 2^31 or more, which Setup.inf writes as a negative number.
constexpr stp::port::FileTime kHighLowHalf = (30000000ULL << 32) | 0x80000001u;
constexpr stp::port::FileTime kPlainTime = (29000000ULL << 32) | 12345u;

// The folder of files a distributor packs: text, a binary larger than a
// volume, an empty file, long runs, German names, and a file for each
// placeholder. Names are Windows-1252, as Setup.inf holds them.
struct SourceFile {
  const char* source;
  const char* installed;  // below the destination, placeholders as folders
  std::string content;
  stp::port::FileTime time;
};

std::vector<SourceFile> MixedFolder() {
  std::string text;
  for (int i = 0; i < 200; ++i)
    text += "Grüße aus Köln, Zeile " + std::to_string(i) + ": Übersicht ändern.\r\n";
  return {
      {"Liesmich.txt", "Liesmich.txt", text, kHighLowHalf},
      {"Daten\\programm.bin", "Daten\\programm.bin", stp::test::RandomBytes(1'600'000, 11), kPlainTime},
      {"Daten\\leer.dat", "Daten\\leer.dat", "", kPlainTime + 1},
      {"Daten\\läufe.dat", "Daten\\läufe.dat", std::string(150000, 'a') + std::string(50000, '\0'),
       kPlainTime},
      {"Grüße\\Übersicht.txt", "Grüße\\Übersicht.txt", "Ä Ö Ü ß\r\n", kHighLowHalf + 7},
      {"ini\\textwerk.ini", "<windir>\\textwerk.ini", "[Textwerk]\r\nGröße=12\r\n", kPlainTime},
      {"Kurz.txt", "<desktop>\\Kurz.txt", "Kurzanleitung", kPlainTime},
  };
}

constexpr const char* kMixedDescription =
    "# the mixed folder\n"
    "[product]\n"
    "organisation = Beispiel\n"
    "product = Textwerk\n"
    "version = 2.0\n"
    "\n"
    "[files]\n"
    "Liesmich.txt\n"
    "Daten/\n"
    "Grüße/Übersicht.txt -> Grüße\\\n"
    "ini/textwerk.ini -> <windir>\\textwerk.ini\n"
    "Kurz.txt -> <DESKTOP>\\\n"
    "[links]\n"
    "Textwerk\\Liesmich.lnk -> Liesmich.txt\n";

// Where an installed name lands below the destination of stptool extract.
std::string Installed(const std::string& destination, std::string name) {
  for (const auto& [placeholder, folder] : {std::pair{std::string("<windir>"), kWindowsFolder},
                                            std::pair{std::string("<desktop>"), kDesktopFolder}}) {
    if (name.starts_with(placeholder)) name = std::string(folder) + name.substr(placeholder.size());
  }
  return destination + name;
}

struct Packed {
  TempDir source;
  TempDir out;
  PackResult result;

  Packed(const std::vector<SourceFile>& files, const std::string& description, const PackOptions& options) {
    for (const auto& file : files) stp::test::WriteFileAt(source, file.source, file.content, file.time);
    Progress quiet(false);
    result = Pack(ParseProductDescription(stp::AnsiToUtf8(description), "test"), source.Path(), out.Path(),
                  options, quiet);
  }
};

ExtractResult Extract(const std::string& medium, const std::string& destination,
                      const DiskPrompt& prompt = {}) {
  Progress quiet(false);
  return ExtractMedium(OpenMedium(medium), destination, prompt, quiet);
}

std::vector<ListedFile> List(const std::string& medium) {
  Progress quiet(false);
  return ListMedium(OpenMedium(medium), {}, quiet);
}

bool IsEmptyFolder(const TempDir& dir) { return std::filesystem::is_empty(dir.Native()); }

// What Setup.exe reads from the Setup.inf of the mixed folder.
void ExpectSetupInfOfMixedFolder(const std::string& setup_directory, const std::vector<SourceFile>& files,
                                 std::int32_t data_size) {
  const auto inf = stp::ProfileFile::Load(setup_directory + "Setup.inf");
  const auto config = stp::ReadSetupConfiguration(inf);
  EXPECT_EQ(stp::ProductTitle(config), "Beispiel Textwerk 2.0");
  EXPECT_EQ(config.EVersion, "2.0");
  EXPECT_EQ(config.RebootSystem, "1");
  std::int64_t bytes = 0;
  for (const auto& file : files) bytes += static_cast<std::int64_t>(file.content.size());
  EXPECT_EQ(stp::ReadTotalBytes(inf), bytes);

  const auto table = stp::LoadFileTable(inf);
  ASSERT_EQ(table.FileTargets.size(), 7u);
  EXPECT_EQ(table.FileTargets[1], "Daten\\leer.dat");  // a folder's files in name order
  EXPECT_EQ(table.FileTargets[6], "<DESKTOP>\\Kurz.txt");
  EXPECT_EQ(table.FileTimes[0], "-2147483647&30000000");
  EXPECT_EQ(table.FileOffsets.back(), std::to_string(data_size));
  const auto links = stp::LoadLinkTable(inf);
  EXPECT_EQ(links.LinkNames, std::vector<std::string>{"Textwerk\\Liesmich.lnk"});
  EXPECT_EQ(links.LinkTargets, std::vector<std::string>{"Liesmich.txt"});
}

TEST(PackExtract, ReproducesAMixedFolderInEveryArrangement) {
  struct Arrangement {
    const char* name;
    std::int64_t first_volume_size;
    DiskFolders disks;
    const char* setup_folder;  // where Setup.inf lies below the output
  };
  const Arrangement arrangements[] = {
      {"one Setup.stp", 0, DiskFolders::kNone, ""},
      {"volumes beside Setup.inf", 100000, DiskFolders::kNone, ""},
      {"Disk folders below Setup.inf", 100000, DiskFolders::kBelow, ""},
      {"Disk folders beside one another", 100000, DiskFolders::kBeside, "Disk1\\"},
  };
  const std::vector<SourceFile> files = MixedFolder();
  for (const Arrangement& a : arrangements) {
    SCOPED_TRACE(a.name);
    TempDir extras;
    stp::test::WriteFileAt(extras, "bild.bmp", "BM picture", kPlainTime);
    stp::test::WriteFileAt(extras, "Setup.exe", "MZ program", kPlainTime);
    const PackOptions options{a.first_volume_size, a.disks, extras.Path() + "bild.bmp",
                              extras.Path() + "Setup.exe"};
    Packed packed(files, kMixedDescription, options);
    const std::string setup = packed.out.Path() + a.setup_folder;
    EXPECT_EQ(packed.result.setup_directory, setup);
    EXPECT_EQ(stp::test::ReadFileAt(setup + "setup.bmp"), "BM picture");
    EXPECT_EQ(stp::test::ReadFileAt(setup + "Setup.exe"), "MZ program");
    ExpectSetupInfOfMixedFolder(setup, files, packed.result.data_size);

    // Volume 1 has the size asked for, every later one but the last exactly
    // a diskette's worth; together they hold the whole setup data.
    std::int64_t total = 0;
    for (int k = 1; k <= packed.result.volumes; ++k) {
      const std::string folder = a.disks == DiskFolders::kNone ? "" : "Disk" + std::to_string(k) + "\\";
      const auto size = static_cast<std::int64_t>(
          stp::test::ReadFileAt(packed.out.Path() + folder + "Setup" + std::to_string(k) + ".stp").size());
      if (k == 1) {
        EXPECT_EQ(size, a.first_volume_size);
      } else if (k < packed.result.volumes) {
        EXPECT_EQ(size, kLater) << k;
      }
      total += size;
    }
    if (a.first_volume_size > 0) {
      EXPECT_EQ(packed.result.volumes, 3);  // the binary runs over all three
      EXPECT_EQ(total, packed.result.data_size);
    }

    // list shows every file with its decoded size and the volume its image
    // starts in.
    const auto listed = List(packed.out.Path());
    ASSERT_EQ(listed.size(), files.size());
    for (std::size_t i = 0; i < listed.size(); ++i) {
      const PackedFile& file = packed.result.files[i];
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
    const ExtractResult extracted = Extract(packed.out.Path(), destination.Path());
    EXPECT_EQ(extracted.files, static_cast<int>(files.size()));
    for (const SourceFile& file : files) {
      const std::string path = Installed(destination.Path(), file.installed);
      EXPECT_EQ(stp::test::ReadFileAt(path), file.content) << file.installed;
      EXPECT_EQ(stp::test::WriteTimeAt(path), file.time) << file.installed;
    }
  }
}

TEST(ListMedium, ShowsTheVolumeEachImageStartsIn) {
  const std::vector<stp::test::MediumFile> files = {{"a.bin", stp::test::RandomBytes(50000, 2)},
                                                    {"b.bin", stp::test::RandomBytes(70000, 3)},
                                                    {"c.txt", "c"}};
  const auto a = static_cast<std::int64_t>(stp::test::ImageSizes(files)[0]);
  struct Case {
    const char* name;
    std::int64_t first_volume_size;
    int b_volume;
  };
  const Case cases[] = {
      {"b starts at the first byte of volume 2", a, 2},
      {"b starts one byte before the boundary", a + 1, 1},
  };
  for (const Case& c : cases) {
    TempDir medium;
    stp::test::WriteMedium(medium, files, c.first_volume_size);
    const auto listed = List(medium.Path());
    ASSERT_EQ(listed.size(), 3u) << c.name;
    EXPECT_EQ(listed[0].volume, 1) << c.name;
    EXPECT_EQ(listed[1].volume, c.b_volume) << c.name;
    EXPECT_EQ(listed[1].size, 70000u) << c.name;
    EXPECT_EQ(listed[2].volume, 2) << c.name;
  }
}

TEST(ExtractMedium, AMissingVolumeIsAskedForOrRefused) {
  struct Case {
    const char* name;
    bool prompt;
    bool brings_volume;  // the prompt puts the volume in place and answers
    ExitStatus status;   // kSuccess, or how the run ends
    const char* message;
  };
  const Case cases[] = {
      {"answered once the volume is there", true, true, kSuccess, ""},
      {"given up at the prompt", true, false, kFailed,
       "gave up waiting for a missing volume; removed the unfinished"},
      {"without a prompt", false, false, kDamaged, "volume 2 is missing"},
  };
  const std::vector<stp::test::MediumFile> files = {{"first.txt", "complete"},
                                                    {"big.bin", stp::test::RandomBytes(60000, 6)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir medium;
    stp::test::WriteMedium(medium, files, 30000);
    const auto volume = medium.Native() / "Setup2.stp";
    const auto elsewhere = medium.Native() / "later.stp";
    std::filesystem::rename(volume, elsewhere);
    std::vector<int> asked;
    const DiskPrompt prompt = [&](int number, const std::string&) {
      asked.push_back(number);
      if (c.brings_volume) std::filesystem::rename(elsewhere, volume);
      return c.brings_volume;
    };
    TempDir destination;
    try {
      Extract(medium.Path(), destination.Path(), c.prompt ? prompt : DiskPrompt());
      EXPECT_EQ(c.status, kSuccess);
      EXPECT_EQ(stp::test::ReadFileAt(destination.Path() + "big.bin"), files[1].content);
    } catch (const ToolError& e) {
      EXPECT_EQ(e.Status(), c.status);
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
      EXPECT_FALSE(stp::port::FileExists(destination.Path() + "big.bin"));
    }
    EXPECT_EQ(stp::test::ReadFileAt(destination.Path() + "first.txt"), "complete");
    EXPECT_EQ(asked, c.prompt ? std::vector<int>{2} : std::vector<int>{});
  }
}

TEST(ExtractMedium, RefusesADamagedMediumAndLeavesNoPartialFile) {
  struct Case {
    const char* name;
    std::string files;  // [Files] of a hand-edited Setup.inf
    std::string next_offset;
    const char* message;
  };
  const Case cases[] = {
      {"offsets running backwards", "1=a.txt,0|0&0\r\n2=b.txt,10|0&0\r\n", "5", "Eintrag 2 der Dateiliste"},
      {"offset beyond the data", "1=a.txt,90000|0&0\r\n", "90050", "passt nicht zur Dateiliste"},
      {"offset that is not a number", "1=a.txt,zero|0&0\r\n", "5", "'zero' ist kein"},
      {"a '..' part", "1=..\\evil.txt,0|0&0\r\n", "5", "'..\\evil.txt' has a '..' part"},
      {"'..' between slashes", "1=a/../../evil.txt,0|0&0\r\n", "5", "has a '..' part"},
      {"an absolute target", "1=\\etc\\evil,0|0&0\r\n", "5", "is absolute"},
      {"a drive letter", "1=C:\\evil.txt,0|0&0\r\n", "5", "has a drive letter"},
      {"a placeholder without a folder", "1=<windir>evil.txt,0|0&0\r\n", "5",
       "needs a \"\\\" after <windir>"},
      {"setup data cut short", "1=a.txt,0|0&0\r\n", "", "ist unvollständig"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir medium;
    const auto table = stp::test::WriteMedium(medium, {{"a.txt", stp::test::RandomBytes(40000, 9)}});
    const std::string next_offset = c.next_offset.empty() ? table.FileOffsets.back() : c.next_offset;
    if (c.next_offset.empty()) std::filesystem::resize_file(medium.Native() / "Setup.stp", 35000);
    medium.Write("Setup.inf", "[General]\r\nNextOffset=" + next_offset + "\r\n[Files]\r\n" + c.files);
    TempDir destination;
    try {
      Extract(medium.Path(), destination.Path());
      ADD_FAILURE() << "no error";
    } catch (const ToolError& e) {
      EXPECT_EQ(e.Status(), kDamaged);
      EXPECT_NE(std::string(e.what()).find(Shown(c.message)), std::string::npos) << e.what();
    }
    EXPECT_TRUE(IsEmptyFolder(destination));
  }
}

TEST(Pack, RefusesWhatSetupCouldNotInstallNamingTheLine) {
  struct Case {
    const char* name;
    std::string files;  // the [files] and [links] sections
    const char* message;
  };
  const Case cases[] = {
      {"the same target twice", "[files]\na.txt\nb.txt -> A.TXT\n",
       "test:8: the target 'A.TXT' is also written by line 7"},
      {"a missing source", "[files]\nmissing.txt\n", "test:7: no file"},
      {"a folder without its slash", "[files]\nsub\n", "test:7: 'sub' is a folder; write 'sub/'"},
      {"a folder without files", "[files]\nempty/\n", "test:7: the folder"},
      {"a target with a comma", "[files]\na.txt -> a,b.txt\n", "test:7: the target 'a,b.txt' holds ','"},
      {"a target leaving the destination", "[files]\na.txt -> ..\\a.txt\n",
       "test:7: the target '..\\a.txt' has a '..' part"},
      {"a target too long for Setup.inf", "[files]\na.txt -> " + std::string(1000, 'x') + "\n",
       "test:7: the [Files] value"},
      {"a shortcut to nothing installed", "[files]\na.txt\n[links]\nA.lnk -> b.txt\n",
       "test:9: the shortcut's target 'b.txt'"},
      {"a shortcut to the Windows folder",
       "[files]\na.txt -> <windir>\\a.txt\n[links]\nA.lnk -> <windir>\\a.txt\n",
       "test:9: the shortcut's target"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir source;
    source.Write("a.txt", "a");
    source.Write("b.txt", "b");
    source.Write("sub/c.txt", "c");
    std::filesystem::create_directory(source.Native() / "empty");
    const auto description = ParseProductDescription(
        "[product]\norganisation = O\nproduct = P\nversion = 1\n\n" + c.files, "test");
    TempDir out;
    Progress quiet(false);
    try {
      Pack(description, source.Path(), out.Path() + "medium", {}, quiet);
      ADD_FAILURE() << "no error";
    } catch (const ToolError& e) {
      EXPECT_EQ(e.Status(), kUserError);
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
    EXPECT_TRUE(IsEmptyFolder(out));
  }
}

TEST(Pack, RefusesOptionsThatMakeNoMedium) {
  TempDir source;
  source.Write("a.txt", "a");
  TempDir taken;
  taken.Write("old.txt", "from another medium");
  const auto description =
      ParseProductDescription("[product]\norganisation=O\nproduct=P\nversion=1\n[files]\na.txt\n", "test");
  struct Case {
    const char* name;
    std::string out;
    PackOptions options;
    const char* message;
  };
  const Case cases[] = {
      {"an output folder in use", taken.Path(), {}, "is not empty"},
      {"Disk folders without volumes",
       taken.Path() + "new",
       {0, DiskFolders::kBelow, "", ""},
       "Disk folders need volumes"},
      {"a missing picture",
       taken.Path() + "new",
       {0, DiskFolders::kNone, source.Path() + "none.bmp", ""},
       "no file"},
  };
  for (const Case& c : cases) {
    Progress quiet(false);
    try {
      Pack(description, source.Path(), c.out, c.options, quiet);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const ToolError& e) {
      EXPECT_EQ(e.Status(), kUserError) << c.name;
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.name << ": " << e.what();
    }
  }
  EXPECT_FALSE(stp::port::DirectoryExists(taken.Path() + "new"));
  EXPECT_EQ(taken.Read("old.txt"), "from another medium");
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
  struct Case {
    stp::port::FileTime time;
    const char* text;
    const char* utc;
  };
  const Case cases[] = {
      {0, "0&0", "1601-01-01 00:00:00"},
      {116444736000000000ULL, "-717324288&27111902", "1970-01-01 00:00:00"},
      {(1000000000ULL + 11644473600ULL) * 10000000ULL + 9999999, "1167595135&29440209",
       "2001-09-09 01:46:40"},
      {0xFFFFFFFFFFFFFFFFULL, "-1&-1", "60056-05-28 05:36:10"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileTimeText(c.time), c.text);
    EXPECT_EQ(stp::StoredFileTime(c.text), c.time);
    EXPECT_EQ(FileTimeUtc(c.time), c.utc);
  }
}

}  // namespace
}  // namespace stptool
