#include "setup/command_line.h"

#include <gtest/gtest.h>

namespace stp {
namespace {

TEST(IsRemovalSwitch, LooksAtTheSecondCharacterOnly) {
  const struct {
    const char* argument;
    bool removal;
  } cases[] = {
      {"/u", true}, {"-U", true},  {"/uninstall", true}, {"xu", true},  {"u", false},   {"U", false},
      {"", false},  {"/x", false}, {"uu", true},         {"/ü", false}, {"//u", false}, {"-u ", true},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(IsRemovalSwitch(row.argument), row.removal) << '"' << row.argument << '"';
  }
}

}  // namespace
}  // namespace stp
