#include "setup/profile.h"

#include <gtest/gtest.h>

#include "profile_corpus.h"
#include "setup/profile_writer.h"
#include "support/temp_dir.h"
#include "support/thrown.h"

namespace stp {
namespace {

TEST(ProfileFile, ReadsTheCorpusAsThePlatformDoes) {
  for (const auto& c : test::ProfileCorpus()) {
    const ProfileFile profile = c.file_exists ? ProfileFile::Parse(c.content) : ProfileFile();
    for (const auto& q : c.queries) {
      EXPECT_EQ(profile.ReadString(q.section, q.key, test::kDefault), q.expected)
          << c.name << ": [" << q.section << "] " << q.key;
    }
  }
}

TEST(PortableProfileWriter, WritesTheCorpusAsThePlatformDoes) {
  test::TempDir dir;
  int file_number = 0;
  for (const auto& c : test::ProfileWriteCorpus()) {
    SCOPED_TRACE(c.name);
    const std::string name = "case" + std::to_string(++file_number) + ".ini";
    if (c.content) dir.Write(name, *c.content);
    PortableProfileWriter writer;
    for (const auto& w : c.writes) writer.WriteString(dir.Path() + name, w.section, w.key, w.value);
    EXPECT_EQ(dir.Read(name), c.expected);
  }
}

// A missing file or a folder reads as empty; a file that cannot be written
// is named in the error and keeps its content.
TEST(ProfileFile, LoadsFromDiskAndTheWriterNamesAFileItCannotWrite) {
  test::TempDir dir;
  dir.Write("Setup.inf", "[General]\r\nProduct=Planer\r\n");
  EXPECT_EQ(ProfileFile::Load(dir.Path() + "Setup.inf").ReadString("General", "Product", ""), "Planer");
  EXPECT_EQ(ProfileFile::Load(dir.Path() + "none.inf").ReadString("General", "Product", "d"), "d");
  EXPECT_EQ(ProfileFile::Load(dir.Path()).ReadString("General", "Product", "d"), "d");
  dir.Write("read-only.ini", "[S]\r\na=1\r\n");
  dir.SetReadOnly("read-only.ini");
  dir.Write("Setup/placeholder", "");  // a folder where the file would go
  for (const std::string name : {"missing\\folder\\Setup.ini", "read-only.ini", "Setup"}) {
    const std::string path = dir.Path() + name;
    if (const auto e =
            test::Thrown<Error>([&] { PortableProfileWriter().WriteString(path, "S", "a", "2"); })) {
      EXPECT_EQ(e->what(), "Kann nicht nach " + path + " schreiben");
    }
  }
  EXPECT_EQ(dir.Read("read-only.ini"), "[S]\r\na=1\r\n");
}

TEST(ProfileInteger, FollowsTheRuntimeRules) {
  const std::pair<const char*, std::int32_t> kValid[] = {
      {"255", 255},
      {"$FF", 255},
      {"0x0000FF", 255},
      {"0XfF", 255},
      {"  42", 42},
      {"+7", 7},
      {"-7", -7},
      {"-$10", -16},
      {"-0x10", -16},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$FFFFFFFF", -1},
      {"0x80000000", INT32_MIN},
  };
  for (const auto& [text, value] : kValid) EXPECT_EQ(ParseProfileInteger(text), value) << text;
  for (const char* text : {"", " ", "0x", "$", "red", "12a", "1 2", "- 5", "+", "2147483648", "-2147483649",
                           "$100000000", "0x1g", "\t5", "99999999999999999999"}) {
    EXPECT_EQ(ParseProfileInteger(text), std::nullopt) << '"' << text << '"';
  }
  const auto profile = ProfileFile::Parse("[S]\nempty=\nword=red\nhex=$FF\n");
  EXPECT_EQ(profile.ReadInteger("S", "empty", 9), 9);
  EXPECT_EQ(profile.ReadInteger("S", "word", 9), 9);
  EXPECT_EQ(profile.ReadInteger("S", "hex", 9), 255);
}

}  // namespace
}  // namespace stp
