#include "setup/setup_state.h"

#include <gtest/gtest.h>

namespace stp {
namespace {

TEST(SetupState, SourceDirectoryIsTheProgramsFolderWithItsSeparator) {
  const struct {
    const char* program;
    const char* source_directory;
  } kCases[] = {
      {"C:\\Setup\\Setup.exe", "C:\\Setup\\"},
      {"A:\\SETUP.EXE", "A:\\"},
      {"\\\\server\\share\\Disk1\\Setup.exe", "\\\\server\\share\\Disk1\\"},
      {"A:SETUP.EXE", "A:"},
      {"Setup.exe", ""},
  };
  for (const auto& c : kCases) EXPECT_EQ(SetupState(c.program).SourceDirectory(), c.source_directory);
}

TEST(SetupState, RunStateOnlyMovesForward) {
  SetupState state("C:\\Setup.exe");
  EXPECT_EQ(state.GetRunState(), RunState::kNotStarted);
  state.SetRunning();
  EXPECT_EQ(state.GetRunState(), RunState::kRunning);
  state.SetFinished();
  state.SetRunning();
  EXPECT_EQ(state.GetRunState(), RunState::kFinished);
}

}  // namespace
}  // namespace stp
