#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <filesystem>

#include "port/errors.h"
#include "port/file_system.h"
#include "support/temp_dir.h"

namespace stp::port {
namespace {

namespace fs = std::filesystem;

TEST(File, WritesReadsSeeksAndMeasures) {
  test::TempDir dir;
  const std::string path = dir.Path() + "data.bin";
  {
    File out = File::Create(path);
    out.Write("0123456789", 10);
    out.Close();
  }
  File in = File::OpenRead(path);
  EXPECT_EQ(in.Size(), 10);
  in.Seek(7);
  char buffer[8] = {};
  EXPECT_EQ(in.Read(buffer, sizeof buffer), 3u);  // short only at the end
  EXPECT_EQ(std::string(buffer, 3), "789");
  EXPECT_EQ(in.Read(buffer, sizeof buffer), 0u);
}

TEST(File, CreateTruncatesAnExistingFile) {
  test::TempDir dir;
  dir.Write("t.txt", "old content");
  File::Create(dir.Path() + "t.txt").Close();
  EXPECT_EQ(dir.Read("t.txt"), "");
}

TEST(File, FailuresCarryTheWindowsErrorNumberAndText) {
  test::TempDir dir;
  try {
    File::OpenRead(dir.Path() + "missing.bin");
    FAIL() << "no error";
  } catch (const IoError& e) {
    EXPECT_EQ(e.Code(), kFileNotFound);
    EXPECT_STREQ(e.what(), "Datei nicht gefunden");
    EXPECT_NE(e.Detail().find("missing.bin"), std::string::npos);
  }
  EXPECT_THROW(File::OpenExisting(dir.Path() + "missing.bin"), IoError);
  EXPECT_THROW(File::Create(dir.Path() + "no\\such\\folder.bin"), IoError);
}

TEST(File, SetsTheStoredFileTime) {
  test::TempDir dir;
  dir.Write("stamp.txt", "x");
  // 2001-09-09 01:46:40 UTC, one billion seconds after 1970.
  const FileTime time = (1000000000ULL + 11644473600ULL) * 10000000ULL;
  File file = File::OpenExisting(dir.Path() + "stamp.txt");
  file.SetTimes(time);
  file.Close();
  const auto written = fs::last_write_time(dir.Native() / "stamp.txt");
  const auto since_epoch = std::chrono::file_clock::to_sys(written).time_since_epoch();
  EXPECT_EQ(std::chrono::duration_cast<std::chrono::seconds>(since_epoch).count(), 1000000000);
}

TEST(FileSystem, ListsADirectoryInWindows1252AndReadsBackTheWriteTime) {
  test::TempDir dir;
  dir.Write("sub/inner.txt", "x");
  const std::string name = dir.Path() + "Grüße.txt";  // Windows-1252 here
  // Past 2^31 in the low half and below a second, as media store times.
  const FileTime time = (30000000ULL << 32) | 0x80000001u;
  {
    File file = File::Create(name);
    file.SetTimes(time);
  }
  EXPECT_EQ(File::OpenRead(name).WriteTime(), time);

  auto entries = ListDirectory(dir.Path());
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "Grüße.txt");
  EXPECT_FALSE(entries[0].is_directory);
  EXPECT_EQ(entries[1].name, "sub");
  EXPECT_TRUE(entries[1].is_directory);
  EXPECT_THROW(ListDirectory(dir.Path() + "missing"), IoError);
#ifndef _WIN32
  // A name that Windows-1252 cannot write cannot reach a medium.
  std::ofstream(dir.Native() / reinterpret_cast<const char*>(u8"文.txt")) << "x";
  EXPECT_THROW(ListDirectory(dir.Path()), IoError);
#endif
}

TEST(FileSystem, TellsFilesFromDirectoriesAndRemovesThem) {
  test::TempDir dir;
  dir.Write("f.txt", "x");
  const std::string file = dir.Path() + "f.txt";
  const std::string sub = dir.Path() + "sub";
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_TRUE(MakeDirectory(sub));
  EXPECT_TRUE(DirectoryExists(sub));
  EXPECT_FALSE(FileExists(sub));
  EXPECT_FALSE(MakeDirectory(sub));
  fs::permissions(dir.Native() / "f.txt", fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_TRUE(ClearFileAttributes(file));
  EXPECT_TRUE(RemoveFile(file));
  EXPECT_FALSE(FileExists(file));
  EXPECT_TRUE(RemoveEmptyDirectory(sub));
  EXPECT_FALSE(RemoveEmptyDirectory(sub));
}

TEST(IoErrorText, NamesTheKnownNumbersAndCountsTheRest) {
  EXPECT_EQ(IoErrorText(2), "Datei nicht gefunden");
  EXPECT_EQ(IoErrorText(3), "Ungültiger Dateiname");
  EXPECT_EQ(IoErrorText(4), "Zu viele Dateien geöffnet");
  EXPECT_EQ(IoErrorText(5), "Dateizugriff verweigert");
  EXPECT_EQ(IoErrorText(100), "Lesen nach Dateiende (EOF)");
  EXPECT_EQ(IoErrorText(101), "Kapazität der Diskette/Festplatte erschöpft");
  EXPECT_EQ(IoErrorText(32), "I/O-Fehler 32");
}

}  // namespace
}  // namespace stp::port
