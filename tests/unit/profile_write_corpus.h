#pragma once

#include <optional>
#include <string>
#include <vector>

namespace stp::test {

// Profile files and the values written into them one after another, with
// the file WritePrivateProfileStringA leaves. The expectations were taken
// from the platform (the Win32 differential test checks them there); the
// native tests hold the portable writer to them.
struct ProfileWrite {
  std::string section;
  std::string key;
  std::string value;
};

struct ProfileWriteCase {
  std::string name;
  std::optional<std::string> content;  // none: the file does not exist yet
  std::vector<ProfileWrite> writes;
  std::string expected;
};

const std::vector<ProfileWriteCase>& ProfileWriteCorpus();

}  // namespace stp::test
