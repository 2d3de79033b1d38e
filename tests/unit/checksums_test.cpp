// Section Checksums of Setup.inf: how pack writes it, how it is read, and
// what the installation makes of a file whose content does not match it.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "engine/content_check.h"
#include "engine/extraction.h"
#include "setup/configuration.h"
#include "support/medium.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "support/test_data.h"

namespace stp {
namespace {

namespace fs = std::filesystem;
using test::MediumFile;
using test::RandomBytes;

TEST(ParseFileCheck, TakesExactlyADecimalSizeACommaAndEightHexDigits) {
  const struct {
    const char* text;
    std::optional<FileCheck> check;
  } kCases[] = {
      {"9,CBF43926", FileCheck{9, 0xCBF43926}},
      {"0,00000000", FileCheck{0, 0}},
      {"2147483647,ffffffff", FileCheck{2147483647, 0xFFFFFFFF}},
      {"007,0000000A", FileCheck{7, 10}},
      {"", std::nullopt},
      {"9", std::nullopt},
      {",CBF43926", std::nullopt},
      {"9,CBF4392", std::nullopt},
      {"9,CBF439260", std::nullopt},
      {"9,CBF4392G", std::nullopt},
      {"9,0xF43926", std::nullopt},
      {"9;CBF43926", std::nullopt},
      {"-9,CBF43926", std::nullopt},
      {"+9,CBF43926", std::nullopt},
      {" 9,CBF43926", std::nullopt},
      {"9 ,CBF43926", std::nullopt},
      {"2147483648,CBF43926", std::nullopt},  // more than Setup.inf can count
      {"99999999999,CBF43926", std::nullopt},
      {"9,CBF43926,1", std::nullopt},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(ParseFileCheck(c.text), c.check) << c.text;
    if (c.check) {
      EXPECT_EQ(ParseFileCheck(FileCheckText(*c.check)), c.check) << c.text;
    }
  }
  EXPECT_EQ(FileCheckText({9, 0xCBF43926}), "9,CBF43926");
  EXPECT_EQ(FileCheckText({0, 10}), "0,0000000A");
}

TEST(LoadFileTable, ReadsTheChecksumsOfTheTablesEntriesWhereTheSectionIsThere) {
  const std::string files = "[General]\r\nNextOffset=9\r\n[Files]\r\n1=a,0|0&0\r\n2=b,4|0&0\r\n";
  using Checks = std::optional<std::vector<std::string>>;
  const struct {
    const char* name;
    std::string more;
    Checks checks;
  } kCases[] = {
      {"no section", "", std::nullopt},
      {"an empty section", "[Checksums]\r\n", Checks({"", ""})},
      {"in any letter case", "[checksums]\r\n2=1,00000001\r\n", Checks({"", "1,00000001"})},
      {"entries beyond the table left out", "[Checksums]\r\n1=x\r\n2=y\r\n3=z\r\n", Checks({"x", "y"})},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(LoadFileTable(ProfileFile::Parse(files + c.more)).FileChecks, c.checks) << c.name;
  }
}

TEST(Pack, WritesEachFilesSizeAndCrc32UnderItsKey) {
  test::TempDir medium;
  test::WriteMedium(medium, {{"a.txt", "123456789"}, {"empty", ""}, {"b.txt", "abc"}});
  const ProfileFile inf = ProfileFile::Load(medium.Path() + "Setup.inf");
  // The check values of CRC-32 that every implementation of it gives.
  EXPECT_EQ(inf.ReadString("Checksums", "1", ""), "9,CBF43926");
  EXPECT_EQ(inf.ReadString("Checksums", "2", ""), "0,00000000");
  EXPECT_EQ(inf.ReadString("Checksums", "3", ""), "3,352441C2");
  EXPECT_EQ(inf.Keys("Checksums").size(), 3u);
}

// A medium in one folder and a destination folder beside it, installed as
// Setup.exe does.
struct Installation {
  test::TempDir medium;
  test::TempDir destination;
  test::RecordingHost host;
  FileTable table;
  std::vector<int> recorded;

  Installation(const std::vector<MediumFile>& files, std::int64_t first_volume_size)
      : table(test::WriteMedium(medium, files, first_volume_size)) {}

  void Run() {
    const TargetPlaces places{destination.Path(), destination.Path() + "Windows\\",
                              destination.Path() + "Desktop"};
    Extraction(table, places, medium.Path(), host, [this](int key, const std::string&) {
      recorded.push_back(key);
    }).InstallFiles();
  }
  std::int64_t Offset(int index) const {
    return std::stoll(table.FileOffsets[static_cast<std::size_t>(index)]);
  }
  void FlipByteAt(const std::string& volume, std::int64_t position) const {
    std::string bytes = medium.Read(volume);
    bytes[static_cast<std::size_t>(position)] ^= 0x55;
    medium.Write(volume, bytes);
  }
};

// Where Setup.inf stores a file's size and CRC-32, content that differs is
// never put in place, stamped or recorded, and the run ends with a message
// that names the file and the volumes its data came from. The files before
// it are installed; a file already in its place keeps its content.
TEST(Extraction, InstallsOnlyTheContentThatSetupInfStores) {
  const std::string b = RandomBytes(60000, 21);
  const std::vector<MediumFile> files = {{"a.txt", test::Text(4000)}, {"b.bin", b}, {"c.txt", "c"}};
  const std::int64_t b_start = std::stoll(test::WriteMedium(test::TempDir(), files).FileOffsets[1]);
  enum Layout { kSetupStp, kBAcrossVolumes, kBOnVolume2 };
  enum Outcome { kInstalled, kOldContentKept, kChangedContentInstalled };
  const auto flip = [](const char* volume, std::int64_t position) {
    return [=](Installation& i) { i.FlipByteAt(volume, position); };
  };
  const struct {
    const char* name;
    Layout layout;
    std::function<void(Installation&)> damage;
    Outcome b_ends;
    // Where the message places b's data, given the medium's folder; none
    // for a run without a failure.
    std::function<std::string(const std::string&)> place;
  } kCases[] = {
      {"intact", kSetupStp, [](Installation&) {}, kInstalled, nullptr},
      {"a byte of Setup.stp changed", kSetupStp, flip("Setup.stp", b_start + 30000), kOldContentKept,
       [](const std::string& m) { return "in " + m + "Setup.stp"; }},
      {"a byte of volume 2 changed", kBAcrossVolumes, flip("Setup2.stp", 30000), kOldContentKept,
       [](const std::string& m) {
         return "auf den Installationsdisketten 1 bis 2 (" + m + "Setup1.stp bis " + m + "Setup2.stp)";
       }},
      {"volume 2 zeros only", kBAcrossVolumes,
       [](Installation& i) {
         i.medium.Write("Setup2.stp", std::string(i.medium.Read("Setup2.stp").size(), '\0'));
       },
       kOldContentKept,
       [](const std::string& m) {
         return "auf den Installationsdisketten 1 bis 2 (" + m + "Setup1.stp bis " + m + "Setup2.stp)";
       }},
      {"b alone on volume 2, changed", kBOnVolume2, flip("Setup2.stp", 100), kOldContentKept,
       [](const std::string& m) { return "auf der Installationsdiskette 2 (" + m + "Setup2.stp)"; }},
      // Without the section, changed content is installed as it comes.
      {"a byte changed, no section", kSetupStp,
       [&](Installation& i) {
         i.FlipByteAt("Setup.stp", b_start + 30000);
         i.table.FileChecks.reset();
       },
       kChangedContentInstalled, nullptr},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::int64_t first_volume = c.layout == kSetupStp         ? 0
                                      : c.layout == kBAcrossVolumes ? b_start + 10
                                                                    : b_start;
    Installation install(files, first_volume);
    c.damage(install);
    install.destination.Write("b.bin", "old content");
    if (!c.place) {
      install.Run();
    } else {
      try {
        install.Run();
        ADD_FAILURE() << "no error";
      } catch (const DamagedFileError& e) {
        EXPECT_EQ(e.what(), "Die Daten der Datei " + install.destination.Path() + "b.bin " +
                                c.place(install.medium.Path()) +
                                " sind beschädigt, die Installation wird abgebrochen");
        EXPECT_EQ(e.English().find("'" + install.destination.Path() + "b.bin' is damaged: its data in "), 0u)
            << e.English();
      }
    }
    const std::string b_now = install.destination.Read("b.bin");
    switch (c.b_ends) {
      case kInstalled: EXPECT_EQ(b_now, b); break;
      case kOldContentKept: EXPECT_EQ(b_now, "old content"); break;
      case kChangedContentInstalled: EXPECT_TRUE(b_now != b && b_now != "old content"); break;
    }
    const bool installed = c.b_ends != kOldContentKept;
    EXPECT_EQ(install.recorded, installed ? std::vector<int>({1, 2, 3}) : std::vector<int>({1}));
    EXPECT_EQ(install.destination.Read("a.txt"), files[0].content);
    EXPECT_EQ(fs::exists(install.destination.Native() / "c.txt"), installed);
    for (const auto& entry : fs::directory_iterator(install.destination.Native())) {
      EXPECT_FALSE(entry.path().filename().string().starts_with("~stp")) << entry.path();
    }
  }
}

// A table whose entry 2 is renumbered 3 ends at entry 1, whose data then
// run on over the images of the others: decoding stops as soon as the
// content passes the stored size instead of running on to the end of the
// data.
TEST(Extraction, StopsDecodingOnceAFileGrowsPastItsStoredSize) {
  Installation install({{"a.txt", test::Text(40000)}, {"b.bin", RandomBytes(300000, 22)}}, 0);
  install.table.FileTargets.resize(1);
  install.table.FileTimes.resize(1);
  install.table.FileOffsets.erase(install.table.FileOffsets.begin() + 1);
  install.table.FileChecks->resize(1);
  EXPECT_THROW(install.Run(), DamagedFileError);
  EXPECT_LE(install.host.advanced, 40000u + 32768u);
  EXPECT_FALSE(fs::exists(install.destination.Native() / "a.txt"));
}

TEST(Extraction, RefusesABrokenChecksumSectionBeforeAnyFile) {
  const struct {
    const char* name;
    std::vector<std::string> checks;
    const char* english;
  } kCases[] = {
      {"a value that is no check", {"", "x"}, "Setup.inf, [Checksums] 2: 'x' is not SIZE,CRC"},
      {"a missing entry", {"", ""}, "Setup.inf, [Checksums] 2: missing"},
      {"a size Setup.inf cannot count", {"", "2147483648,00000000"}, "Setup.inf, [Checksums] 2: '2147483648"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Installation install({{"a.txt", "a"}, {"b.txt", "b"}}, 0);
    std::vector<std::string> checks = c.checks;
    checks[0] = (*install.table.FileChecks)[0];
    install.table.FileChecks = checks;
    try {
      install.Run();
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "Eintrag 2 der Prüfsummen in Setup.inf ist fehlerhaft");
      EXPECT_EQ(e.English().find(c.english), 0u) << e.English();
    }
    EXPECT_TRUE(fs::is_empty(install.destination.Native()));
  }
}

// An empty first volume shifts every offset onto the later volumes; the
// message must name it, not the last volume that then comes up short.
TEST(Extraction, BlamesAnEmptyFirstVolume) {
  Installation install({{"a.bin", RandomBytes(5000, 23)}}, 2000);
  install.medium.Write("Setup1.stp", "");
  try {
    install.Run();
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), "Der Setup-Datensatz " + install.medium.Path() + "Setup1.stp ist unvollständig");
    EXPECT_NE(e.English().find("Setup1.stp' is incomplete: it is empty"), std::string::npos) << e.English();
  }
}

// Setup.exe goes on after a target it cannot create (stamping it then
// shows error numbers); the host is told why it could not be created.
TEST(Extraction, TellsTheHostWhyATargetCouldNotBeCreated) {
  Installation install({{"sub\\a.txt", "a"}, {"b.txt", "b"}}, 0);
  install.destination.Write("sub", "a file where the folder goes");
  install.Run();
  ASSERT_EQ(install.host.not_created.size(), 1u);
  EXPECT_EQ(install.host.not_created[0].first, install.destination.Path() + "sub\\a.txt");
  EXPECT_NE(install.host.not_created[0].second, kFileNotFound);
  EXPECT_EQ(install.destination.Read("b.txt"), "b");
}

}  // namespace
}  // namespace stp
