#pragma once

#include <string>
#include <vector>

namespace stp::test {

// A tricky profile file and what GetPrivateProfileStringA reads from it. The
// expectations were taken from the platform (the Win32 differential test
// checks them there); the native tests hold the portable reader to them.
struct ProfileQuery {
  std::string section;
  std::string key;
  std::string expected;  // kDefault when the platform falls back to the default
};

struct ProfileCase {
  std::string name;
  std::string content;
  std::vector<ProfileQuery> queries;
  bool file_exists = true;
};

inline const std::string kDefault = "<default>";

const std::vector<ProfileCase>& ProfileCorpus();

}  // namespace stp::test
