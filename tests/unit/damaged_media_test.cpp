// Damaged and hostile media as stptool test, list and extract see them:
// every problem is named, no damaged file is written, and nothing is
// written outside the destination or over what is there.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "engine/setup_data_reader.h"
#include "stptool/extract.h"
#include "stptool/native_text.h"
#include "stptool/test_medium.h"
#include "support/medium.h"
#include "support/temp_dir.h"
#include "support/test_data.h"
#include "support/thrown.h"

namespace stptool {
namespace {

namespace fs = std::filesystem;
using stp::test::TempDir;

// Three files in three volumes: b runs from volume 1 over all of volume 2
// into volume 3, where c lies whole. Or the same in one Setup.stp. Packed
// once; each case damages a copy.
const TempDir& Packed(bool volumes) {
  const auto pack = [](const TempDir& dir, std::int64_t first_volume) {
    stp::test::WriteMedium(dir,
                           {{"a.txt", stp::test::Text(3000)},
                            {"b.bin", stp::test::RandomBytes(1'700'000, 31)},
                            {"sub\\c.txt", stp::test::Text(200000)}},
                           first_volume);
    return true;
  };
  static const TempDir single;
  static const TempDir cut;
  static const bool packed = pack(single, 0) && pack(cut, 200000);
  (void)packed;
  return volumes ? cut : single;
}

struct Copy {
  TempDir dir;
  // File by file: MinGW's fs::copy refuses a folder that is there already.
  explicit Copy(bool volumes) {
    const fs::path& from = Packed(volumes).Native();
    for (const auto& entry : fs::recursive_directory_iterator(from)) {
      const fs::path to = dir.Native() / fs::relative(entry.path(), from);
      if (entry.is_directory()) {
        fs::create_directories(to);
      } else {
        fs::copy_file(entry.path(), to);
      }
    }
  }
  std::string Read(const std::string& name) const { return dir.Read(name); }
  void Write(const std::string& name, const std::string& content) const { dir.Write(name, content); }
  // Setup.inf with one text replaced.
  void EditSetupInf(const std::string& from, const std::string& to) const {
    std::string inf = Read("Setup.inf");
    const auto at = inf.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    Write("Setup.inf", inf.replace(at, from.size(), to));
  }
  std::string Value(const std::string& key) const {
    return stp::ProfileFile::Load(dir.Path() + "Setup.inf").ReadString("General", key, "");
  }
  std::string Shown(const std::string& name) const { return "'" + ShownPath(dir.Path() + name) + "'"; }
};

// The lines say "{Setup1.stp}" for a volume's path as shown, "{c.txt}" for
// sub\c.txt, "{NextOffset}" and "{Bytes}" for the values of Setup.inf.
std::string Filled(std::string text, const Copy& m) {
  const auto replace = [&text](const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
      text.replace(at, from.size(), to);
    }
  };
  for (const char* volume : {"Setup1.stp", "Setup2.stp", "Setup3.stp", "Setup4.stp"}) {
    replace("{" + std::string(volume) + "}", m.Shown(volume));
  }
  replace("{c.txt}", "'" + ShownPath("sub\\c.txt") + "'");
  replace("{NextOffset}", m.Value("NextOffset"));
  replace("{Bytes}", m.Value("Bytes"));
  return text;
}

TEST(TestMedium, NamesEveryProblemOfADamagedMedium) {
  using Lines = std::vector<std::string>;
  const struct {
    const char* name;
    bool volumes;
    std::function<void(const Copy&)> damage;
    Lines problems;  // how each problem line starts, in order
  } kCases[] = {
      {"intact", true, [](const Copy&) {}, {}},
      {"a byte changed in volume 1",
       true,
       [](const Copy& m) { stp::test::FlipByte(m.dir, "Setup1.stp", 100000); },
       {"Setup.inf, [Files] 2: 'b.bin' is damaged: its data in volumes 1 to 3 ({Setup1.stp} to {Setup3.stp}) "
        "decode to"}},
      {"a byte changed in volume 3",
       true,
       [](const Copy& m) { stp::test::FlipByte(m.dir, "Setup3.stp", -100); },
       {"Setup.inf, [Files] 3: {c.txt} is damaged: its data in volume 3 ({Setup3.stp})"}},
      // Entry 2 renumbered 4: the table ends at entry 1, whose data run on
      // over the other images.
      {"a renumbered entry",
       true,
       [](const Copy& m) { m.EditSetupInf("\r\n2=b.bin", "\r\n4=b.bin"); },
       {"Setup.inf: [Files] ends at entry 1, for it has no entry 2; Setup never reads the entries after it: "
        "3, 4",
        "Setup.inf: [Checksums] has entries for files that [Files] does not list: 2, 3",
        "Setup.inf, [Files] 1: 'a.txt' is damaged: its data in volumes 1 to 3",
        "Setup.inf: Bytes is {Bytes}, but the files hold 3000 bytes"}},
      {"NextOffset 10 bytes short",
       true,
       [](const Copy& m) {
         const std::string next = m.Value("NextOffset");
         m.EditSetupInf("NextOffset=" + next, "NextOffset=" + std::to_string(std::stoll(next) - 10));
       },
       {"{Setup3.stp} (volume 3) holds 10 bytes after the end of the setup data, NextOffset {NextOffset}",
        "Setup.inf, [Files] 3: {c.txt} is damaged"}},
      {"volume 2 a byte short",
       true,
       [](const Copy& m) {
         fs::resize_file(m.dir.Native() / "Setup2.stp", stp::SetupDataReader::kLaterVolumeSize - 1);
       },
       {"{Setup2.stp} (volume 2) holds 1457663 bytes; every volume but the last holds 1457664",
        "Setup.inf, [Files] 2: the data of 'b.bin', bytes "}},
      {"volume 2 missing",
       true,
       [](const Copy& m) { fs::remove(m.dir.Native() / "Setup2.stp"); },
       {"volume 2 (Setup2.stp) is missing, and the setup data run into it up to NextOffset {NextOffset}",
        "Setup.inf, [Files] 2: the data of 'b.bin'"}},
      {"a volume beyond the data",
       true,
       [](const Copy& m) { m.Write("Setup4.stp", "more"); },
       {"{Setup4.stp} (volume 4) lies beyond the setup data, which end in volume 3 at NextOffset "
        "{NextOffset}"}},
      {"an empty first volume",
       true,
       [](const Copy& m) { m.Write("Setup1.stp", ""); },
       {"{Setup1.stp} (volume 1) is empty, though the setup data begin in it"}},
      {"Bytes wrong",
       false,
       [](const Copy& m) { m.EditSetupInf("Bytes=", "Bytes=1"); },
       {"Setup.inf: Bytes is {Bytes}, but the files hold 1903000 bytes"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Copy medium(c.volumes);
    c.damage(medium);
    Lines problems;
    Progress quiet(false);
    const TestResult result =
        TestMedium(ReadMedium(medium.dir.Path()), quiet,
                   [&problems](const std::string& problem) { problems.push_back(problem); });
    ASSERT_EQ(problems.size(), c.problems.size()) << ::testing::PrintToString(problems);
    for (std::size_t i = 0; i < problems.size(); ++i) {
      const std::string expected = Filled(c.problems[i], medium);
      EXPECT_EQ(problems[i].find(expected), 0u) << problems[i] << "\nexpected: " << expected;
    }
    EXPECT_EQ(result.problems, static_cast<int>(problems.size()));
    EXPECT_EQ(result.volumes, c.volumes ? 3 + (c.name == std::string("a volume beyond the data")) : 0);
    if (problems.empty()) {
      EXPECT_EQ(result.files, 3);
      EXPECT_EQ(result.bytes, 1903000u);
      EXPECT_TRUE(result.with_checksums);
    }
  }
}

// extract checks what it decodes the way Setup.exe does: a damaged file is
// a damaged medium, and it does not replace the file there.
TEST(ExtractMedium, StopsAtADamagedFileWithoutWritingIt) {
  Copy medium(true);
  stp::test::FlipByte(medium.dir, "Setup2.stp", 700000);
  TempDir destination;
  destination.Write("b.bin", "old content");
  Progress quiet(false);
  if (const auto e = stp::test::Thrown<ToolError>([&] {
        ExtractMedium(OpenMedium(medium.dir.Path()), destination.Path(), {}, quiet, Existing::kReplace);
      })) {
    EXPECT_EQ(e->Status(), kDamaged);
    const std::string message = e->what();
    EXPECT_EQ(message.find("'" + ShownPath(destination.Path() + "b.bin") +
                           "' is damaged: its data in volumes 1 to 3"),
              0u)
        << message;
    EXPECT_TRUE(message.ends_with("; it was not written")) << message;
  }
  EXPECT_EQ(destination.Read("a.txt"), stp::test::Text(3000));
  EXPECT_EQ(destination.Read("b.bin"), "old content");
  EXPECT_FALSE(fs::exists(destination.Native() / "sub"));
  EXPECT_FALSE(stp::test::HoldsPendingFile(destination));
}

// A medium of two files with a Setup.inf as given.
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

// Refused, leaving nothing: names that would leave the destination
// or that Windows would not keep, broken tables, unreadable media, and a
// destination where a file would go through a link or over a folder. A
// file outside that a link points to keeps its content.
TEST(ExtractMedium, RefusesADamagedOrHostileMediumBeforeWritingAnything) {
  using Arrange =
      std::function<void(const HandMadeMedium&, const TempDir& destination, const TempDir& outside)>;
  const auto table = [](std::vector<std::string> entries) -> Arrange {
    return [=](const HandMadeMedium& m, const TempDir&, const TempDir&) { m.WriteTable(entries); };
  };
  const struct {
    Arrange arrange;
    ExitStatus status;
    std::string message;
  } kCases[] = {
      {[](const HandMadeMedium& m, const TempDir&, const TempDir&) {
         fs::resize_file(m.dir.Native() / "Setup.inf", kLargestSetupInf + 1);
       },
       kDamaged, "holds 8388609 bytes; no medium's Setup.inf comes near 8388608 bytes"},
      {[](const HandMadeMedium& m, const TempDir&, const TempDir&) {
         fs::remove(m.dir.Native() / "Setup.inf");
         fs::create_directory(m.dir.Native() / "Setup.inf");
       },
       kUserError, "Setup.inf' is a folder, not a file"},
      {[](const HandMadeMedium& m, const TempDir&, const TempDir&) {
         fs::resize_file(m.dir.Native() / "Setup.stp", 100);
       },
       kDamaged, Shown("Setup.stp' is incomplete: it ends after 100 bytes")},
      {table({std::string(1100, 'a') + ",0|0&0"}), kDamaged,
       "[Files] 1: the value is cut off at 1023 characters"},
      {table({"a.txt,0|-1&-1"}), kDamaged, "[Files] 1: the time -1&-1 lies after the year 30828"},
      {table({"a.txt,zero|0&0"}), kDamaged, "Setup.inf, [Files] 1: the offset 'zero' is not a number"},
      {table({"a\x1b[2Jb.txt,0|0&0"}), kDamaged, "the target 'a\\x1b[2Jb.txt' holds a control character"},
      {table({"a/../../evil.txt,0|0&0"}), kDamaged, Shown("'a/../../evil.txt' has a '..' part")},
      {[](const HandMadeMedium&, const TempDir& d, const TempDir&) { d.Write("sub", "mine"); }, kUserError,
       "sub' is a file, not a folder"},
      {[](const HandMadeMedium&, const TempDir& d, const TempDir&) {
         fs::create_directories(d.Native() / "a.txt" / "x");
       },
       kUserError, "a.txt': it is a folder"},
#ifndef _WIN32
      {[](const HandMadeMedium&, const TempDir& d, const TempDir& o) {
         o.Write("victim.txt", "mine");
         fs::create_symlink(o.Native() / "victim.txt", d.Native() / "a.txt");
       },
       kDamaged, "a.txt' is a symbolic link, which extract never writes through"},
#endif
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.message);
    HandMadeMedium medium;
    TempDir destination;
    TempDir outside;
    c.arrange(medium, destination, outside);
    const auto listing = [&destination] {
      std::vector<fs::path> names;
      for (const auto& entry : fs::recursive_directory_iterator(destination.Native())) names.push_back(entry);
      std::sort(names.begin(), names.end());
      return names;
    };
    const auto before = listing();
    Progress quiet(false);
    if (const auto e = stp::test::Thrown<ToolError>([&] {
          ExtractMedium(OpenMedium(medium.dir.Path()), destination.Path(), {}, quiet, Existing::kReplace);
        })) {
      EXPECT_EQ(e->Status(), c.status) << e->what();
      EXPECT_NE(std::string(e->what()).find(c.message), std::string::npos) << e->what();
    }
    EXPECT_EQ(listing(), before);
    EXPECT_FALSE(fs::exists(outside.Native() / "b.txt"));
    if (fs::exists(outside.Native() / "victim.txt")) {
      EXPECT_EQ(outside.Read("victim.txt"), "mine");
    }
  }
}

// The refusals must not catch what a medium may hold.
TEST(OpenMedium, AcceptsTheTimesAndLengthsMediaUse) {
  HandMadeMedium medium;
  const std::string long_target(1023 - 6, 'x');  // the value fills 1023 characters with ",0|0&0"
  medium.WriteTable({"a.txt,0|-2147483648&29000000", long_target + ",0|0&0"});
  EXPECT_EQ(OpenMedium(medium.dir.Path()).files.FileTargets[1], long_target);
}

// What a file system could not stamp is told apart from FAT's two-second
// steps; --overwrite replaces what is there.
TEST(ExtractMedium, ReplacesWhenAskedAndTellsTimesTheFileSystemDidNotKeep) {
  HandMadeMedium medium;
  TempDir destination;
  destination.Write("a.txt", "old");
  Progress quiet(false);
  const Medium opened = OpenMedium(medium.dir.Path());
  const ExtractResult result = ExtractMedium(opened, destination.Path(), {}, quiet, Existing::kReplace);
  EXPECT_EQ(result.files, 2);
  EXPECT_TRUE(result.times_not_kept.empty());
  EXPECT_EQ(destination.Read("a.txt"), stp::test::Text(3000));

  const stp::TargetPlaces places{destination.Path(), destination.Path() + "w", destination.Path() + "d"};
  const stp::port::FileTime stored = stp::StoredFileTime(opened.files.FileTimes[0]);
  const auto restamp = [&](stp::port::FileTime time) {
    stp::port::File::OpenExisting(destination.Path() + "a.txt").SetTimes(time);
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
