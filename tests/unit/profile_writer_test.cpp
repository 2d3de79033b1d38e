#include "setup/profile_writer.h"

#include <gtest/gtest.h>

#include "profile_write_corpus.h"
#include "setup/profile.h"
#include "support/temp_dir.h"

namespace stp {
namespace {

TEST(PortableProfileWriter, WritesAsThePlatformDoes) {
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

// What the writer wrote, the reader reads back.
TEST(PortableProfileWriter, WritesWhatTheReaderReads) {
  test::TempDir dir;
  const std::string path = dir.Path() + "Setup.ini";
  PortableProfileWriter writer;
  writer.WriteString(path, "General", "Directory", "C:\\Programme\\Grüße\\");
  writer.WriteString(path, "InstalledFiles", "1", "  C:\\a b.txt ");
  const ProfileFile record = ProfileFile::Load(path);
  EXPECT_EQ(record.ReadString("General", "Directory", ""), "C:\\Programme\\Grüße\\");
  EXPECT_EQ(record.ReadString("InstalledFiles", "1", ""), "C:\\a b.txt");
}

TEST(PortableProfileWriter, AFileThatCannotBeWrittenIsNamedInTheError) {
  test::TempDir dir;
  dir.Write("read-only.ini", "[S]\r\na=1\r\n");
  dir.SetReadOnly("read-only.ini");
  dir.Write("Setup/placeholder", "");  // a folder where the file would go
  for (const std::string name : {"missing\\folder\\Setup.ini", "read-only.ini", "Setup"}) {
    const std::string path = dir.Path() + name;
    try {
      PortableProfileWriter().WriteString(path, "S", "a", "2");
      ADD_FAILURE() << name << " written";
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), "Kann nicht nach " + path + " schreiben");
    }
  }
  EXPECT_EQ(dir.Read("read-only.ini"), "[S]\r\na=1\r\n");
}

}  // namespace
}  // namespace stp
