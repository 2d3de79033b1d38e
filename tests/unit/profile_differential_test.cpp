#include <gtest/gtest.h>
#include <windows.h>

#include "profile_corpus.h"
#include "setup/profile.h"
#include "support/temp_dir.h"

namespace stp {
namespace {

// Reads every file of the corpus through the platform and through the
// portable reader; any difference between the two, or from the recorded
// expectation, fails.
TEST(ProfileDifferential, PortableReaderAgreesWithGetPrivateProfileString) {
  test::TempDir dir;
  int file_number = 0;
  for (const auto& c : test::ProfileCorpus()) {
    // Each case gets a file name of its own: the platform caches profile files.
    const std::string path = dir.Path() + "case" + std::to_string(++file_number) + ".ini";
    if (c.file_exists) dir.Write("case" + std::to_string(file_number) + ".ini", c.content);
    const ProfileFile portable = ProfileFile::Load(path);
    for (const auto& q : c.queries) {
      char buffer[ProfileFile::kValueBufferSize];
      const DWORD length = GetPrivateProfileStringA(q.section.c_str(), q.key.c_str(), test::kDefault.c_str(),
                                                    buffer, sizeof buffer, path.c_str());
      const std::string platform(buffer, length);
      const std::string ours = portable.ReadString(q.section, q.key, test::kDefault);
      EXPECT_EQ(ours, platform) << c.name << ": [" << q.section << "] " << q.key;
      EXPECT_EQ(q.expected, platform) << c.name << ": [" << q.section << "] " << q.key;
    }
  }
}

}  // namespace
}  // namespace stp
