#include "setup/profile.h"

#include <gtest/gtest.h>

#include "profile_corpus.h"
#include "support/temp_dir.h"

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

TEST(ProfileFile, LoadsFromDiskAndTreatsAMissingFileAsEmpty) {
  test::TempDir dir;
  dir.Write("Setup.inf", "[General]\r\nProduct=Planer\r\n");
  EXPECT_EQ(ProfileFile::Load(dir.Path() + "Setup.inf").ReadString("General", "Product", ""), "Planer");
  EXPECT_EQ(ProfileFile::Load(dir.Path() + "none.inf").ReadString("General", "Product", "d"), "d");
  EXPECT_EQ(ProfileFile::Load(dir.Path()).ReadString("General", "Product", "d"), "d");  // a directory
}

TEST(ProfileInteger, FollowsTheRuntimeRules) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  };
  const Case cases[] = {
      {"255", 255},
      {"$FF", 255},
      {"0x0000FF", 255},
      {"0XfF", 255},
      {"  42", 42},
      {"+7", 7},
      {"-7", -7},
      {"-$10", -16},
      {"-0x10", -16},
      {"0", 0},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$FFFFFFFF", -1},
      {"0x80000000", INT32_MIN},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"0x", std::nullopt},
      {"$", std::nullopt},
      {"red", std::nullopt},
      {"12a", std::nullopt},
      {"1 2", std::nullopt},
      {"- 5", std::nullopt},
      {"+", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"$100000000", std::nullopt},
      {"0x1g", std::nullopt},
      {"\t5", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseProfileInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(ProfileInteger, ReadIntegerFallsBackOnEmptyAndInvalidValues) {
  const auto profile = ProfileFile::Parse("[S]\nempty=\nword=red\nhex=$FF\n");
  EXPECT_EQ(profile.ReadInteger("S", "empty", 9), 9);
  EXPECT_EQ(profile.ReadInteger("S", "word", 9), 9);
  EXPECT_EQ(profile.ReadInteger("S", "missing", 9), 9);
  EXPECT_EQ(profile.ReadInteger("S", "hex", 9), 255);
}

}  // namespace
}  // namespace stp
