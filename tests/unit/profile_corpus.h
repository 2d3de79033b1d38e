#pragma once

#include <optional>
#include <string>
#include <vector>

// Tricky profile files with what GetPrivateProfileStringA reads from them and
// what WritePrivateProfileStringA leaves after writes. The expectations were
// taken from the platform, where the differential tests check them; the
// native tests hold the portable reader and writer to them.
namespace stp::test {

inline const std::string kDefault = "<default>";  // the platform fell back to the default

struct ProfileQuery {
  std::string section, key, expected;
};
struct ProfileCase {
  std::string name;
  std::string content;
  std::vector<ProfileQuery> queries;
  bool file_exists = true;
};
const std::vector<ProfileCase>& ProfileCorpus();

struct ProfileWrite {
  std::string section, key, value;
};
struct ProfileWriteCase {
  std::string name;
  std::optional<std::string> content;  // none: the file does not exist yet
  std::vector<ProfileWrite> writes;
  std::string expected;
};
const std::vector<ProfileWriteCase>& ProfileWriteCorpus();

}  // namespace stp::test
