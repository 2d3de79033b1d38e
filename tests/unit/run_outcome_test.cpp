#include "setup/run_outcome.h"

#include <gtest/gtest.h>

#include "setup/setup_state.h"

namespace stp {
namespace {

// Deployment tools act on these numbers: 3010 schedules a restart, 1618
// retries later, 1602 and 1603 are reported as failed.
TEST(ExitCodeOf, EachOutcomeHasTheCodeDeploymentToolsExpect) {
  using enum RunOutcome;
  const struct {
    int code;
    std::vector<RunOutcome> outcomes;
  } cases[] = {
      {0, {kInstalled, kRemoved, kNothingInstalled}},
      {3010, {kInstalledRestartNeeded}},
      {1602, {kInstallationCancelled, kRemovalDeclined}},
      {1603,
       {kInstalledWithErrors, kNoSetupData, kMissingVolume, kDamagedFile, kUnwritableRecord,
        kWindowsNtRequired, kUncreatableDestination, kInstallationFailed, kRemovalIncomplete}},
      {1618, {kAnotherSetupRunning}},
      {1639, {kBadCommandLine}},
  };
  for (const auto& row : cases) {
    for (const RunOutcome outcome : row.outcomes) {
      EXPECT_EQ(static_cast<int>(ExitCodeOf(outcome)), row.code) << OutcomeText(outcome);
    }
  }
}

TEST(SetupState, SourceDirectoryIsTheProgramsFolderAndTheRunStateOnlyMovesForward) {
  const std::pair<const char*, const char*> kCases[] = {
      {"C:\\Setup\\Setup.exe", "C:\\Setup\\"},
      {"\\\\server\\share\\Disk1\\Setup.exe", "\\\\server\\share\\Disk1\\"},
      {"A:SETUP.EXE", "A:"},
      {"Setup.exe", ""},
  };
  for (const auto& [program, folder] : kCases) EXPECT_EQ(SetupState(program).SourceDirectory(), folder);
  SetupState state("C:\\Setup.exe");
  EXPECT_EQ(state.GetRunState(), RunState::kNotStarted);
  state.SetFinished();
  state.SetRunning();
  EXPECT_EQ(state.GetRunState(), RunState::kFinished);
}

}  // namespace
}  // namespace stp
