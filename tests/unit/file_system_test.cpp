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
#include "support/thrown.h"

namespace stp::port {
namespace {

namespace fs = std::filesystem;

// The German text by the Windows error number; the English names the call,
// the file and the platform's reason.
TEST(File, FailuresCarryTheWindowsErrorNumberAndText) {
  test::TempDir dir;
  if (const auto e = test::Thrown<IoError>([&] { File::OpenRead(dir.Path() + "missing.bin"); })) {
    EXPECT_EQ(e->Code(), kFileNotFound);
    EXPECT_STREQ(e->what(), "Datei nicht gefunden");
  }
  const std::string path = dir.Path() + "missing\\a.txt";
  if (const auto e = test::Thrown<IoError>([&] { File::Create(path); })) {
    EXPECT_EQ(e->Path(), path);
    EXPECT_EQ(e->English(), "cannot create '" + path + "': " + e->Reason());
    EXPECT_EQ(e->what(), IoErrorText(e->Code()));
  }
  EXPECT_EQ(IoErrorText(32), "I/O-Fehler 32");
}

// Media store times to 100 ns, with low halves past 2^31; the system must
// see the same moment.
TEST(File, SetsAndReadsBackTheStoredFileTime) {
  test::TempDir dir;
  const FileTime time = (30000000ULL << 32) | 0x80000001u;
  File::Create(dir.Path() + "stamp.txt").SetTimes(time);
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
  EXPECT_TRUE(entries[1].is_directory);
#ifndef _WIN32
  // A name that Windows-1252 cannot write cannot reach a medium.
  std::ofstream(dir.Native() / reinterpret_cast<const char*>(u8"文.txt")) << "x";
  EXPECT_THROW(ListDirectory(dir.Path()), IoError);
#endif
}

// A pipe would make an open wait for its other end for good, and a device
// never ends or swallows what is written; neither is a file of a medium. A
// link may lead a write anywhere; reading through one is harmless.
TEST(File, OpensOnlyRegularFilesAndWritesThroughNoLink) {
  test::TempDir dir;
  std::vector<std::string> others = {dir.Path()};
#ifdef _WIN32
  others.push_back(dir.Path() + "NUL");
#else
  ASSERT_EQ(::mkfifo((dir.Native() / "pipe").c_str(), 0644), 0);
  dir.Write("victim.txt", "precious");
  fs::create_symlink(dir.Native() / "victim.txt", dir.Native() / "link.txt");
  fs::create_symlink(dir.Native() / "nowhere.txt", dir.Native() / "dangling.txt");
  others.insert(others.end(), {dir.Path() + "pipe", "\\dev\\null"});
#endif
  const std::function<File(const std::string&)> opens[] = {File::OpenRead, File::Create, File::OpenExisting,
                                                           File::OpenAppend};
  for (const std::string& other : others) {
    for (const auto& open : opens) EXPECT_THROW(open(other), IoError) << other;
  }
#ifndef _WIN32
  for (std::size_t i = 1; i < std::size(opens); ++i) {
    EXPECT_THROW(opens[i](dir.Path() + "link.txt"), IoError);
    EXPECT_THROW(opens[i](dir.Path() + "dangling.txt"), IoError);
  }
  EXPECT_EQ(dir.Read("victim.txt"), "precious");
  EXPECT_FALSE(fs::exists(dir.Native() / "nowhere.txt"));
  EXPECT_EQ(File::OpenRead(dir.Path() + "link.txt").Size(), 8);
  EXPECT_EQ(KindOf(dir.Path() + "link.txt"), PathKind::kLink);
  EXPECT_EQ(KindOf(dir.Path() + "pipe"), PathKind::kOther);
#endif
  EXPECT_EQ(KindOf(dir.Path() + "missing\\below"), PathKind::kMissing);
}

// Whoever runs it, a read-only file keeps its content, as on Windows, until
// its attributes are cleared; RenameOver replaces a file in one step, never
// a folder.
TEST(FileSystem, AReadOnlyFileRefusesToBeWrittenOrReplaced) {
  test::TempDir dir;
  dir.Write("kept.txt", "old");
  dir.Write("new.txt", "new");
  dir.SetReadOnly("kept.txt");
  const std::string kept = dir.Path() + "kept.txt";
  const std::string made = dir.Path() + "new.txt";
  for (const auto& write : {File::Create, File::OpenExisting, File::OpenAppend}) {
    if (const auto e = test::Thrown<IoError>([&] { write(kept); })) EXPECT_EQ(e->Code(), kAccessDenied);
  }
  EXPECT_FALSE(RenameOver(made, kept));
  EXPECT_EQ(dir.Read("kept.txt"), "old");
  EXPECT_TRUE(ClearFileAttributes(kept));
  EXPECT_TRUE(RenameOver(made, kept));
  EXPECT_EQ(dir.Read("kept.txt"), "new");
  EXPECT_FALSE(FileExists(made));
  EXPECT_TRUE(MakeDirectory(dir.Path() + "folder"));
  EXPECT_FALSE(RenameOver(kept, dir.Path() + "folder"));
  EXPECT_TRUE(RemoveFile(kept));
  EXPECT_TRUE(RemoveEmptyDirectory(dir.Path() + "folder"));
  EXPECT_FALSE(RemoveEmptyDirectory(dir.Path() + "folder"));
}

}  // namespace
}  // namespace stp::port
