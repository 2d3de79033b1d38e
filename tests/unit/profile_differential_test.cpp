#include <gtest/gtest.h>
#include <windows.h>

#include "profile_corpus.h"
#include "setup/profile.h"
#include "setup/profile_writer.h"
#include "support/temp_dir.h"

namespace stp {
namespace {

// Each case gets file names of its own: the platform caches profile files.

TEST(ProfileDifferential, PortableReaderAgreesWithGetPrivateProfileString) {
  test::TempDir dir;
  int file_number = 0;
  for (const auto& c : test::ProfileCorpus()) {
    const std::string name = "case" + std::to_string(++file_number) + ".ini";
    if (c.file_exists) dir.Write(name, c.content);
    const ProfileFile portable = ProfileFile::Load(dir.Path() + name);
    for (const auto& q : c.queries) {
      char buffer[ProfileFile::kValueBufferSize];
      const DWORD length = GetPrivateProfileStringA(q.section.c_str(), q.key.c_str(), test::kDefault.c_str(),
                                                    buffer, sizeof buffer, (dir.Path() + name).c_str());
      const std::string platform(buffer, length);
      EXPECT_EQ(portable.ReadString(q.section, q.key, test::kDefault), platform) << c.name << ": " << q.key;
      EXPECT_EQ(q.expected, platform) << c.name << ": [" << q.section << "] " << q.key;
    }
  }
}

TEST(ProfileDifferential, PortableWriterAgreesWithWritePrivateProfileString) {
  test::TempDir dir;
  int file_number = 0;
  for (const auto& c : test::ProfileWriteCorpus()) {
    SCOPED_TRACE(c.name);
    const std::string platform = "platform" + std::to_string(++file_number) + ".ini";
    const std::string portable = "portable" + std::to_string(file_number) + ".ini";
    if (c.content) {
      dir.Write(platform, *c.content);
      dir.Write(portable, *c.content);
    }
    PortableProfileWriter writer;
    for (const auto& w : c.writes) {
      EXPECT_TRUE(WritePrivateProfileStringA(w.section.c_str(), w.key.c_str(), w.value.c_str(),
                                             (dir.Path() + platform).c_str()));
      writer.WriteString(dir.Path() + portable, w.section, w.key, w.value);
    }
    // Makes the platform write its cached file out.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, (dir.Path() + platform).c_str());
    EXPECT_EQ(dir.Read(portable), dir.Read(platform));
    EXPECT_EQ(c.expected, dir.Read(platform));
  }
}

}  // namespace
}  // namespace stp
