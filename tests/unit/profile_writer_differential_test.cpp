#include <gtest/gtest.h>
#include <windows.h>

#include "profile_write_corpus.h"
#include "setup/profile_writer.h"
#include "support/temp_dir.h"

namespace stp {
namespace {

// Writes every case of the corpus through the platform and through the
// portable writer into files of their own; the two files must be the same
// byte for byte, and the recorded expectation.
TEST(ProfileWriterDifferential, PortableWriterAgreesWithWritePrivateProfileString) {
  test::TempDir dir;
  int file_number = 0;
  for (const auto& c : test::ProfileWriteCorpus()) {
    SCOPED_TRACE(c.name);
    // File names of their own: the platform caches profile files.
    const std::string platform_name = "platform" + std::to_string(++file_number) + ".ini";
    const std::string portable_name = "portable" + std::to_string(file_number) + ".ini";
    if (c.content) {
      dir.Write(platform_name, *c.content);
      dir.Write(portable_name, *c.content);
    }
    PortableProfileWriter portable;
    for (const auto& w : c.writes) {
      EXPECT_TRUE(WritePrivateProfileStringA(w.section.c_str(), w.key.c_str(), w.value.c_str(),
                                             (dir.Path() + platform_name).c_str()));
      portable.WriteString(dir.Path() + portable_name, w.section, w.key, w.value);
    }
    // Makes the platform write its cached file out.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, (dir.Path() + platform_name).c_str());
    EXPECT_EQ(dir.Read(portable_name), dir.Read(platform_name));
    EXPECT_EQ(c.expected, dir.Read(platform_name));
  }
}

}  // namespace
}  // namespace stp
