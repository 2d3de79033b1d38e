// Damaged media as stptool test, list and extract see them: every problem
// of the table, the volumes and the files' data is named, and no damaged
// file is written.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "engine/setup_data_reader.h"
#include "stptool/extract.h"
#include "stptool/list.h"
#include "stptool/native_text.h"
#include "stptool/test_medium.h"
#include "support/medium.h"
#include "support/temp_dir.h"
#include "support/test_data.h"

namespace stptool {
namespace {

namespace fs = std::filesystem;
using stp::test::TempDir;

constexpr std::int64_t kFirstVolume = 200000;
constexpr std::int64_t kVolume = stp::SetupDataReader::kLaterVolumeSize;

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
  static const bool packed = pack(single, 0) && pack(cut, kFirstVolume);
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
  void FlipByteAt(const std::string& name, std::int64_t position) const {
    std::string bytes = Read(name);
    bytes[static_cast<std::size_t>(position < 0 ? static_cast<std::int64_t>(bytes.size()) + position
                                                : position)] ^= 0x5A;
    Write(name, bytes);
  }
  // Setup.inf with one text replaced.
  void EditSetupInf(const std::string& from, const std::string& to) const {
    std::string inf = Read("Setup.inf");
    const auto at = inf.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    Write("Setup.inf", inf.replace(at, from.size(), to));
  }
  std::string Value(const std::string& section, const std::string& key) const {
    return stp::ProfileFile::Load(dir.Path() + "Setup.inf").ReadString(section, key, "");
  }
  std::string Shown(const std::string& name) const { return ShownPath(dir.Path() + name); }
};

struct Tested {
  TestResult result;
  std::vector<std::string> problems;
};

Tested TestCopy(const Copy& medium) {
  Tested tested;
  Progress quiet(false);
  tested.result = TestMedium(ReadMedium(medium.dir.Path()), quiet,
                             [&tested](const std::string& problem) { tested.problems.push_back(problem); });
  return tested;
}

TEST(TestMedium, NamesEveryProblemOfADamagedMedium) {
  const auto next_offset = [](const Copy& m) { return m.Value("General", "NextOffset"); };
  const struct {
    const char* name;
    bool volumes;
    std::function<void(const Copy&)> damage;
    // What each problem line says, in order; given the copy, for its paths
    // and numbers.
    std::function<std::vector<std::string>(const Copy&)> problems;
  } kCases[] = {
      {"intact volumes", true, [](const Copy&) {}, [](const Copy&) { return std::vector<std::string>{}; }},
      {"intact Setup.stp", false, [](const Copy&) {}, [](const Copy&) { return std::vector<std::string>{}; }},
      {"a byte changed in volume 1", true, [](const Copy& m) { m.FlipByteAt("Setup1.stp", 100000); },
       [](const Copy& m) {
         return std::vector<std::string>{
             "Setup.inf, [Files] 2: 'b.bin' is damaged: its data in volumes 1 to 3 ('" +
             m.Shown("Setup1.stp") + "' to '" + m.Shown("Setup3.stp") + "') decode to"};
       }},
      {"a byte changed in volume 2", true, [](const Copy& m) { m.FlipByteAt("Setup2.stp", 700000); },
       [](const Copy&) { return std::vector<std::string>{"Setup.inf, [Files] 2: 'b.bin' is damaged"}; }},
      {"a byte changed in volume 3", true, [](const Copy& m) { m.FlipByteAt("Setup3.stp", -100); },
       [](const Copy& m) {
         return std::vector<std::string>{"Setup.inf, [Files] 3: '" + ShownPath("sub\\c.txt") +
                                         "' is damaged: its data in volume 3 ('" + m.Shown("Setup3.stp") +
                                         "')"};
       }},
      {"a byte changed in Setup.stp", false, [](const Copy& m) { m.FlipByteAt("Setup.stp", 500000); },
       [](const Copy& m) {
         return std::vector<std::string>{"Setup.inf, [Files] 2: 'b.bin' is damaged: its data in '" +
                                         m.Shown("Setup.stp") + "' decode to "};
       }},
      {"volume 3 zeros only", true,
       [](const Copy& m) { m.Write("Setup3.stp", std::string(m.Read("Setup3.stp").size(), '\0')); },
       [](const Copy&) {
         return std::vector<std::string>{
             "Setup.inf, [Files] 2: 'b.bin' is damaged",
             "Setup.inf, [Files] 3: '" + ShownPath("sub\\c.txt") + "' is damaged"};
       }},
      // Entry 2 renumbered 4: the table ends at entry 1, whose data run on
      // over the other images.
      {"a renumbered entry", true, [](const Copy& m) { m.EditSetupInf("\r\n2=b.bin", "\r\n4=b.bin"); },
       [](const Copy& m) {
         return std::vector<std::string>{
             "Setup.inf: [Files] ends at entry 1, for it has no entry 2; Setup never reads the entries after "
             "it: 3, 4",
             "Setup.inf: [Checksums] has entries for files that [Files] does not list: 2, 3",
             "Setup.inf, [Files] 1: 'a.txt' is damaged: its data in volumes 1 to 3",
             "Setup.inf: Bytes is " + m.Value("General", "Bytes") + ", but the files hold 3000 bytes"};
       }},
      {"NextOffset 10 bytes short", true,
       [&](const Copy& m) {
         m.EditSetupInf("NextOffset=" + next_offset(m),
                        "NextOffset=" + std::to_string(std::stoll(next_offset(m)) - 10));
       },
       [&](const Copy& m) {
         return std::vector<std::string>{
             "'" + m.Shown("Setup3.stp") +
                 "' (volume 3) holds 10 bytes after the end of the setup data, NextOffset " + next_offset(m),
             "Setup.inf, [Files] 3: '" + ShownPath("sub\\c.txt") + "' is damaged"};
       }},
      {"data after NextOffset", true,
       [](const Copy& m) { m.Write("Setup3.stp", m.Read("Setup3.stp") + "trail"); },
       [&](const Copy& m) {
         return std::vector<std::string>{
             "'" + m.Shown("Setup3.stp") +
             "' (volume 3) holds 5 bytes after the end of the setup data, NextOffset " + next_offset(m)};
       }},
      {"data after NextOffset in Setup.stp", false,
       [](const Copy& m) { m.Write("Setup.stp", m.Read("Setup.stp") + "trail"); },
       [&](const Copy& m) {
         return std::vector<std::string>{"'" + m.Shown("Setup.stp") +
                                         "' holds 5 bytes after the end of the setup data, NextOffset " +
                                         next_offset(m)};
       }},
      {"volume 2 a byte short", true,
       [](const Copy& m) { fs::resize_file(m.dir.Native() / "Setup2.stp", kVolume - 1); },
       [](const Copy& m) {
         return std::vector<std::string>{
             "'" + m.Shown("Setup2.stp") +
                 "' (volume 2) holds 1457663 bytes; every volume but the last holds 1457664",
             "Setup.inf, [Files] 2: the data of 'b.bin', bytes "};
       }},
      {"volume 2 missing", true, [](const Copy& m) { fs::remove(m.dir.Native() / "Setup2.stp"); },
       [&](const Copy& m) {
         return std::vector<std::string>{
             "volume 2 (Setup2.stp) is missing, and the setup data run into it up to NextOffset " +
                 next_offset(m),
             "Setup.inf, [Files] 2: the data of 'b.bin'"};
       }},
      {"a volume beyond the data", true, [](const Copy& m) { m.Write("Setup4.stp", "more"); },
       [&](const Copy& m) {
         return std::vector<std::string>{
             "'" + m.Shown("Setup4.stp") +
             "' (volume 4) lies beyond the setup data, which end in volume 3 at NextOffset " +
             next_offset(m)};
       }},
      {"an empty first volume", true, [](const Copy& m) { m.Write("Setup1.stp", ""); },
       [](const Copy& m) {
         return std::vector<std::string>{"'" + m.Shown("Setup1.stp") +
                                         "' (volume 1) is empty, though the setup data begin in it"};
       }},
      {"Bytes wrong", false, [](const Copy& m) { m.EditSetupInf("Bytes=", "Bytes=1"); },
       [](const Copy& m) {
         return std::vector<std::string>{"Setup.inf: Bytes is " + m.Value("General", "Bytes") +
                                         ", but the files hold 1903000 bytes"};
       }},
      {"a checksum that is none", false, [](const Copy& m) { m.EditSetupInf("\r\n2=1700000,", "\r\n2=x"); },
       [](const Copy&) { return std::vector<std::string>{"Setup.inf, [Checksums] 2: 'x"}; }},
      {"an offset that is none", false,
       [](const Copy& m) { m.EditSetupInf("\r\n3=sub\\c.txt,", "\r\n3=sub\\c.txt,x"); },
       [](const Copy&) { return std::vector<std::string>{"Setup.inf, [Files] 3: the offset 'x"}; }},
      // Without checksums only the sizes can tell; the summary says so.
      {"no checksums", false,
       [](const Copy& m) {
         std::string inf = m.Read("Setup.inf");
         const auto from = inf.find("[Checksums]");
         m.Write("Setup.inf", inf.erase(from, inf.find("[Links]") - from));
       },
       [](const Copy&) { return std::vector<std::string>{}; }},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Copy medium(c.volumes);
    c.damage(medium);
    const std::vector<std::string> expected = c.problems(medium);
    const Tested tested = TestCopy(medium);
    ASSERT_EQ(tested.problems.size(), expected.size()) << ::testing::PrintToString(tested.problems);
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(tested.problems[i].find(expected[i]), 0u)
          << tested.problems[i] << "\nexpected: " << expected[i];
    }
    EXPECT_EQ(tested.result.problems, static_cast<int>(expected.size()));
    EXPECT_EQ(tested.result.volumes, c.volumes ? 3 + (c.name == std::string("a volume beyond the data")) : 0);
    EXPECT_EQ(tested.result.with_checksums, c.name != std::string("no checksums"));
  }
}

TEST(TestMedium, SumsTheSizesOfAnIntactMedium) {
  const Tested tested = TestCopy(Copy(true));
  EXPECT_EQ(tested.result.files, 3);
  EXPECT_EQ(tested.result.bytes, 1903000u);
  EXPECT_EQ(tested.result.problems, 0);
}

// Without a file table nothing can be tested; that is itself the damage.
TEST(ReadMedium, RefusesASetupInfThatHoldsNoMedium) {
  for (const std::string text : {"", "[General]\r\nProduct=T\r\n", "garbage"}) {
    Copy medium(false);
    medium.Write("Setup.inf", text);
    try {
      ReadMedium(medium.dir.Path());
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const ToolError& e) {
      EXPECT_EQ(e.Status(), kDamaged) << e.what();
    }
  }
}

// list and extract check what they decode the way Setup.exe does: a
// damaged file is a damaged medium, and extract does not leave it behind.
TEST(ExtractMedium, StopsAtADamagedFileWithoutWritingIt) {
  for (const bool overwrite : {false, true}) {
    SCOPED_TRACE(overwrite ? "over an existing file" : "into an empty folder");
    Copy medium(true);
    medium.FlipByteAt("Setup2.stp", 700000);
    TempDir destination;
    if (overwrite) destination.Write("b.bin", "old content");
    Progress quiet(false);
    try {
      ExtractMedium(OpenMedium(medium.dir.Path()), destination.Path(), {}, quiet,
                    overwrite ? Existing::kReplace : Existing::kRefuse);
      ADD_FAILURE() << "no error";
    } catch (const ToolError& e) {
      EXPECT_EQ(e.Status(), kDamaged);
      const std::string message = e.what();
      EXPECT_EQ(message.find("'" + ShownPath(destination.Path() + "b.bin") +
                             "' is damaged: its data in volumes 1 to 3"),
                0u)
          << message;
      EXPECT_TRUE(message.ends_with("; it was not written")) << message;
    }
    EXPECT_EQ(destination.Read("a.txt"), stp::test::Text(3000));
    EXPECT_EQ(fs::exists(destination.Native() / "b.bin"), overwrite);
    if (overwrite) {
      EXPECT_EQ(destination.Read("b.bin"), "old content");
    }
    EXPECT_FALSE(fs::exists(destination.Native() / "sub"));
    for (const auto& entry : fs::directory_iterator(destination.Native())) {
      EXPECT_FALSE(entry.path().filename().string().starts_with("~stp")) << entry.path();
    }
  }
}

TEST(ListMedium, CallsADamagedFileADamagedMedium) {
  Copy medium(false);
  medium.FlipByteAt("Setup.stp", 500000);
  Progress quiet(false);
  try {
    ListMedium(OpenMedium(medium.dir.Path()), {}, quiet);
    ADD_FAILURE() << "no error";
  } catch (const ToolError& e) {
    EXPECT_EQ(e.Status(), kDamaged);
    EXPECT_EQ(
        std::string(e.what()).find("'b.bin' is damaged: its data in '" + medium.Shown("Setup.stp") + "'"), 0u)
        << e.what();
  }
}

}  // namespace
}  // namespace stptool
