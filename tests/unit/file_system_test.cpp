#include "port/file_system.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

#include "port/errors.h"
#include "support/temp_dir.h"

namespace stp::port {
namespace {

namespace fs = std::filesystem;

TEST(File, WritesOverReadsSeeksAndMeasures) {
  test::TempDir dir;
  dir.Write("data.bin", "old content, longer than the new");
  const std::string path = dir.Path() + "data.bin";
  File out = File::Create(path);
  out.Write("0123456789", 10);
  out.Close();
  File in = File::OpenRead(path);
  EXPECT_EQ(in.Size(), 10);
  in.Seek(7);
  char buffer[8] = {};
  EXPECT_EQ(in.Read(buffer, sizeof buffer), 3u);  // short only at the end
  EXPECT_EQ(std::string(buffer, 3), "789");
  EXPECT_EQ(in.Read(buffer, sizeof buffer), 0u);
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
  EXPECT_THROW(ListDirectory(dir.Path() + "missing"), IoError);
}

// Media store times to 100 ns, with low halves past 2^31; the system must
// see the same moment.
TEST(File, SetsAndReadsBackTheStoredFileTime) {
  test::TempDir dir;
  const FileTime time = (30000000ULL << 32) | 0x80000001u;
  {
    File file = File::Create(dir.Path() + "stamp.txt");
    file.SetTimes(time);
  }
  EXPECT_EQ(File::OpenRead(dir.Path() + "stamp.txt").WriteTime(), time);
  const auto written = fs::last_write_time(dir.Native() / "stamp.txt");
  const auto since_epoch = std::chrono::file_clock::to_sys(written).time_since_epoch();
  EXPECT_EQ(std::chrono::duration_cast<std::chrono::seconds>(since_epoch).count(),
            static_cast<std::int64_t>(time / 10000000) - 11644473600LL);
}

TEST(FileSystem, ListsADirectoryInWindows1252) {
  test::TempDir dir;
  dir.Write("sub/inner.txt", "x");
  File::Create(dir.Path() + "Grüße.txt").Close();
  auto entries = ListDirectory(dir.Path());
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "Grüße.txt");
  EXPECT_FALSE(entries[0].is_directory);
  EXPECT_EQ(entries[1].name, "sub");
  EXPECT_TRUE(entries[1].is_directory);
#ifndef _WIN32
  // A name that Windows-1252 cannot write cannot reach a medium; the
  // error shows it as Windows would.
  std::ofstream(dir.Native() / reinterpret_cast<const char*>(u8"文.txt")) << "x";
  try {
    ListDirectory(dir.Path());
    ADD_FAILURE() << "no error";
  } catch (const IoError& e) {
    EXPECT_NE(e.Detail().find(": the name '?.txt' has characters that Windows-1252 cannot write"),
              std::string::npos)
        << e.Detail();
  }
#endif
}

// A pipe would make an open wait for its other end for good, and a device
// never ends or swallows what is written; neither is a file of a medium.
TEST(File, OpensOnlyRegularFilesAndNeverWaits) {
  test::TempDir dir;
#ifdef _WIN32
  const std::vector<std::string> others = {dir.Path() + "NUL", dir.Path()};
#else
  const std::string pipe = dir.Path() + "pipe";
  ASSERT_EQ(::mkfifo((dir.Native() / "pipe").c_str(), 0644), 0);
  const std::vector<std::string> others = {pipe, "\\dev\\null", dir.Path()};
#endif
  const std::vector<std::pair<const char*, std::function<File(const std::string&)>>> opens = {
      {"OpenRead", File::OpenRead},
      {"Create", File::Create},
      {"OpenExisting", File::OpenExisting},
      {"OpenAppend", File::OpenAppend}};
  for (const std::string& other : others) {
    for (const auto& [name, open] : opens) EXPECT_THROW(open(other), IoError) << name << " " << other;
  }
}

#ifndef _WIN32
TEST(File, NeverWritesThroughASymbolicLink) {
  test::TempDir dir;
  dir.Write("victim.txt", "precious");
  fs::create_symlink(dir.Native() / "victim.txt", dir.Native() / "link.txt");
  fs::create_symlink(dir.Native() / "nowhere.txt", dir.Native() / "dangling.txt");
  EXPECT_THROW(File::Create(dir.Path() + "link.txt"), IoError);
  EXPECT_THROW(File::OpenExisting(dir.Path() + "link.txt"), IoError);
  EXPECT_THROW(File::OpenAppend(dir.Path() + "link.txt"), IoError);
  EXPECT_THROW(File::Create(dir.Path() + "dangling.txt"), IoError);
  EXPECT_THROW(File::OpenAppend(dir.Path() + "dangling.txt"), IoError);
  EXPECT_EQ(dir.Read("victim.txt"), "precious");
  EXPECT_FALSE(fs::exists(dir.Native() / "nowhere.txt"));
  // Reading through a link is harmless and stays possible.
  EXPECT_EQ(File::OpenRead(dir.Path() + "link.txt").Size(), 8);
}
#endif

TEST(FileSystem, TellsWhatLiesAtAPathWithoutFollowingLinks) {
  test::TempDir dir;
  dir.Write("f.txt", "x");
  std::vector<std::pair<std::string, PathKind>> cases = {
      {dir.Path() + "missing", PathKind::kMissing},
      {dir.Path() + "missing\\below", PathKind::kMissing},
      {dir.Path() + "f.txt", PathKind::kFile},
      {dir.Path(), PathKind::kDirectory},
  };
#ifndef _WIN32
  fs::create_directory_symlink(dir.Native(), dir.Native() / "folder-link");
  ASSERT_EQ(::mkfifo((dir.Native() / "pipe").c_str(), 0644), 0);
  cases.push_back({dir.Path() + "folder-link", PathKind::kLink});
  cases.push_back({dir.Path() + "pipe", PathKind::kOther});
#endif
  for (const auto& [path, kind] : cases) EXPECT_EQ(KindOf(path), kind) << path;
}

TEST(FileSystem, SaysWhyADirectoryCannotBeMade) {
  test::TempDir dir;
  dir.Write("f.txt", "x");
  for (const std::string& path : {dir.Path() + "missing\\sub", dir.Path() + "f.txt\\sub"}) {
    try {
      MakeDirectoryOrThrow(path);
      ADD_FAILURE() << path << ": no error";
    } catch (const IoError& e) {
      EXPECT_NE(e.Detail().find(path + ": "), std::string::npos) << e.Detail();
    }
  }
  MakeDirectoryOrThrow(dir.Path() + "new");
  EXPECT_TRUE(DirectoryExists(dir.Path() + "new"));
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

// Whoever runs it, a read-only file keeps its content, as on Windows.
TEST(FileSystem, AReadOnlyFileRefusesToBeWrittenOrReplaced) {
  test::TempDir dir;
  dir.Write("kept.txt", "old");
  dir.Write("new.txt", "new");
  dir.SetReadOnly("kept.txt");
  const std::string kept = dir.Path() + "kept.txt";
  const std::string made = dir.Path() + "new.txt";
  for (const auto& write : {File::Create, File::OpenExisting, File::OpenAppend}) {
    try {
      write(kept);
      ADD_FAILURE() << "opened for writing";
    } catch (const IoError& e) {
      EXPECT_EQ(e.Code(), kAccessDenied);
    }
  }
  EXPECT_FALSE(RenameOver(made, kept));
  EXPECT_EQ(dir.Read("kept.txt"), "old");
  EXPECT_TRUE(ClearFileAttributes(kept));
  EXPECT_TRUE(RenameOver(made, kept));
  EXPECT_EQ(dir.Read("kept.txt"), "new");
  EXPECT_FALSE(FileExists(made));
  fs::create_directory(dir.Native() / "folder");
  dir.Write("other.txt", "other");
  EXPECT_FALSE(RenameOver(dir.Path() + "other.txt", dir.Path() + "folder"));
}

TEST(IoErrorText, NamesTheKnownNumbersAndCountsTheRest) {
  const struct {
    int number;
    const char* text;
  } kCases[] = {{2, "Datei nicht gefunden"},
                {3, "Ungültiger Dateiname"},
                {4, "Zu viele Dateien geöffnet"},
                {5, "Dateizugriff verweigert"},
                {100, "Lesen nach Dateiende (EOF)"},
                {101, "Kapazität der Diskette/Festplatte erschöpft"},
                {32, "I/O-Fehler 32"}};
  for (const auto& c : kCases) EXPECT_EQ(IoErrorText(c.number), c.text) << c.number;
}

}  // namespace
}  // namespace stp::port
