#include "setup/run_outcome.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace stp
