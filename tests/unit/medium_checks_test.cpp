// What list and extract refuse before they read setup data or write a file:
// media that are damaged or hostile, and destinations that would take the
// files elsewhere or lose what is there.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <functional>

#include "stptool/extract.h"
#include "stptool/native_text.h"
#include "support/medium.h"
#include "support/temp_dir.h"
#include "support/test_data.h"

namespace stptool {
namespace {

namespace fs = std::filesystem;
using stp::test::TempDir;

// A medium of two files with a Setup.inf as given, its file table written
// in full after General (NextOffset included) unless files is given.
struct HandMadeMedium {
  TempDir dir;
  std::string next_offset;

  HandMadeMedium() {
    const stp::FileTable table = stp::test::WriteMedium(
        dir, {{"a.txt", stp::test::Text(3000)}, {"sub\\b.txt", stp::test::RandomBytes(2000, 1)}});
    next_offset = table.FileOffsets.back();
  }
  // [Files] with the entries (key "1" on), behind a General section.
  void WriteTable(const std::vector<std::string>& entries) const {
    std::string inf = "[General]\r\nNextOffset=" + next_offset + "\r\n[Files]\r\n";
    for (std::size_t i = 0; i < entries.size(); ++i) inf += std::to_string(i + 1) + "=" + entries[i] + "\r\n";
    dir.Write("Setup.inf", inf);
  }
};

struct Refusal {
  ExitStatus status;
  std::string message;
};

void ExpectRefusal(const std::function<void()>& run, const Refusal& expected) {
  try {
    run();
    ADD_FAILURE() << "no error";
  } catch (const ToolError& e) {
    EXPECT_EQ(e.Status(), expected.status) << e.what();
    EXPECT_NE(std::string(e.what()).find(expected.message), std::string::npos) << e.what();
  }
}

TEST(OpenMedium, RefusesADamagedOrUnreadableSetupInfNamingTheCause) {
  const struct {
    const char* name;
    std::function<void(const HandMadeMedium&)> damage;
    Refusal refusal;
  } kCases[] = {
      {"an empty Setup.inf",
       [](const HandMadeMedium& m) { m.dir.Write("Setup.inf", ""); },
       {kDamaged, "Setup.inf' is empty"}},
      {"no file table",
       [](const HandMadeMedium& m) {
         m.dir.Write("Setup.inf", "[General]\r\nProduct=T\r\n[Files]\r\n2=a,0|0&0\r\n");
       },
       {kDamaged, "holds no file table: [Files] has no entry 1"}},
      {"far too large",
       [](const HandMadeMedium& m) { fs::resize_file(m.dir.Native() / "Setup.inf", kLargestSetupInf + 1); },
       {kDamaged, "holds 8388609 bytes; no medium's Setup.inf comes near 8388608 bytes"}},
      {"a folder",
       [](const HandMadeMedium& m) {
         fs::remove(m.dir.Native() / "Setup.inf");
         fs::create_directory(m.dir.Native() / "Setup.inf");
       },
       {kUserError, "Setup.inf' is a folder, not a file"}},
      {"a value cut at 1023 characters",
       [](const HandMadeMedium& m) { m.WriteTable({std::string(1100, 'a') + ",0|0&0"}); },
       {kDamaged, "[Files] 1: the value is cut off at 1023 characters"}},
      {"a time no file can carry",
       [](const HandMadeMedium& m) { m.WriteTable({"a.txt,0|-1&-1"}); },
       {kDamaged, "[Files] 1: the time -1&-1 lies after the year 30828"}},
      {"a device name",
       [](const HandMadeMedium& m) {
         m.WriteTable({"a.txt,0|0&0", "sub\\Nul.txt,0|0&0"});
       },
       {kDamaged, "[Files] 2: the target '" + ShownPath("sub\\Nul.txt") +
                      "' has the part 'Nul.txt', the name of a device"}},
      {"a trailing dot",
       [](const HandMadeMedium& m) { m.WriteTable({"sub\\evil.,0|0&0"}); },
       {kDamaged, "which ends in a dot"}},
      {"an escape sequence",
       [](const HandMadeMedium& m) { m.WriteTable({"a\x1b[2Jb.txt,0|0&0"}); },
       {kDamaged, "the target 'a\\x1b[2Jb.txt' holds a control character"}},
#ifndef _WIN32
      {"a pipe as Setup.inf",
       [](const HandMadeMedium& m) {
         fs::remove(m.dir.Native() / "Setup.inf");
         ASSERT_EQ(::mkfifo((m.dir.Native() / "Setup.inf").c_str(), 0644), 0);
       },
       {kUserError, "Setup.inf': not a regular file"}},
      {"a pipe as Setup.stp",
       [](const HandMadeMedium& m) {
         fs::remove(m.dir.Native() / "Setup.stp");
         ASSERT_EQ(::mkfifo((m.dir.Native() / "Setup.stp").c_str(), 0644), 0);
       },
       {kUserError, "Setup.stp': not a regular file"}},
#endif
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    HandMadeMedium medium;
    c.damage(medium);
    ExpectRefusal([&] { OpenMedium(medium.dir.Path()); }, c.refusal);
  }
}

// The refusals must not catch what a medium may hold.
TEST(OpenMedium, AcceptsTheTimesAndLengthsMediaUse) {
  HandMadeMedium medium;
  const std::string long_target(1023 - 6, 'x');  // the value fills 1023 characters with ",0|0&0"
  medium.WriteTable({"a.txt,0|-2147483648&29000000", long_target + ",0|0&0"});
  const Medium opened = OpenMedium(medium.dir.Path());
  EXPECT_EQ(opened.files.FileTargets[1], long_target);
}

// A link planted in the destination must not take a file out of it or
// overwrite what it points to; files there stay unless --overwrite.
TEST(ExtractMedium, WritesNothingThroughLinksOrOverExistingFiles) {
  const struct {
    const char* name;
    std::function<void(const TempDir& destination, const TempDir& outside)> prepare;
    Existing existing;
    Refusal refusal;
  } kCases[] = {
      {"an existing file",
       [](const TempDir& d, const TempDir&) { d.Write("sub/b.txt", "mine"); },
       Existing::kRefuse,
       {kUserError, "b.txt' already exists; give --overwrite"}},
      {"a file where a folder goes",
       [](const TempDir& d, const TempDir&) { d.Write("sub", "mine"); },
       Existing::kReplace,
       {kUserError, "sub' is a file, not a folder"}},
      {"a folder where a file goes",
       [](const TempDir& d, const TempDir&) { fs::create_directories(d.Native() / "a.txt" / "x"); },
       Existing::kReplace,
       {kUserError, "a.txt': it is a folder"}},
#ifndef _WIN32
      {"a link to a folder outside",
       [](const TempDir& d, const TempDir& o) {
         fs::create_directory_symlink(o.Native(), d.Native() / "sub");
       },
       Existing::kReplace,
       {kDamaged, "[Files] 2: '"}},
      {"a link to a file outside",
       [](const TempDir& d, const TempDir& o) {
         o.Write("victim.txt", "mine");
         fs::create_symlink(o.Native() / "victim.txt", d.Native() / "a.txt");
       },
       Existing::kReplace,
       {kDamaged, "a.txt' is a symbolic link, which extract never writes through"}},
#endif
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    HandMadeMedium medium;
    TempDir destination;
    TempDir outside;
    c.prepare(destination, outside);
    const auto before = fs::last_write_time(destination.Native());
    ExpectRefusal(
        [&] {
          Progress quiet(false);
          ExtractMedium(OpenMedium(medium.dir.Path()), destination.Path(), {}, quiet, c.existing);
        },
        c.refusal);
    EXPECT_EQ(fs::last_write_time(destination.Native()), before) << "something was written";
    EXPECT_FALSE(fs::exists(outside.Native() / "b.txt"));
    if (fs::exists(outside.Native() / "victim.txt")) {
      EXPECT_EQ(outside.Read("victim.txt"), "mine");
    }
  }
}

TEST(ExtractMedium, ReplacesExistingFilesWhenAsked) {
  HandMadeMedium medium;
  TempDir destination;
  destination.Write("a.txt", "old");
  Progress quiet(false);
  EXPECT_EQ(
      ExtractMedium(OpenMedium(medium.dir.Path()), destination.Path(), {}, quiet, Existing::kReplace).files,
      2);
  EXPECT_EQ(destination.Read("a.txt"), stp::test::Text(3000));
}

// What a file system could not stamp is told apart from FAT's two-second
// steps.
TEST(ExtractMedium, TellsTimesTheFileSystemDidNotKeep) {
  HandMadeMedium medium;
  TempDir destination;
  Progress quiet(false);
  const Medium opened = OpenMedium(medium.dir.Path());
  EXPECT_TRUE(ExtractMedium(opened, destination.Path(), {}, quiet, Existing::kRefuse).times_not_kept.empty());

  const stp::TargetPlaces places{destination.Path(), destination.Path() + "w", destination.Path() + "d"};
  const stp::port::FileTime stored = stp::StoredFileTime(opened.files.FileTimes[0]);
  const auto restamp = [&](stp::port::FileTime time) {
    stp::port::File file = stp::port::File::OpenExisting(destination.Path() + "a.txt");
    file.SetTimes(time);
  };
  restamp(stored + 2 * 10000000);
  EXPECT_TRUE(TimesNotKept(opened.files, places).empty());
  restamp(stored - 3 * 10000000);
  const auto missed = TimesNotKept(opened.files, places);
  ASSERT_EQ(missed.size(), 1u);
  EXPECT_EQ(missed[0].path, destination.Path() + "a.txt");
  EXPECT_EQ(missed[0].stored, stored);
  EXPECT_EQ(missed[0].kept, stored - 3 * 10000000);
}

}  // namespace
}  // namespace stptool
