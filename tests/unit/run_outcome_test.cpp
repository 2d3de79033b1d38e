#include "setup/run_outcome.h"

#include <gtest/gtest.h>

namespace stp {
namespace {

// Deployment tools act on these numbers: 3010 schedules a restart, 1618
// retries later, 1602 and 1603 are reported as failed.
TEST(ExitCodeOf, EachOutcomeHasTheCodeDeploymentToolsExpect) {
  const struct {
    RunOutcome outcome;
    int code;
  } cases[] = {
      {RunOutcome::kInstalled, 0},
      {RunOutcome::kInstalledRestartNeeded, 3010},
      {RunOutcome::kInstalledWithErrors, 1603},
      {RunOutcome::kInstallationCancelled, 1602},
      {RunOutcome::kNoSetupData, 1603},
      {RunOutcome::kMissingVolume, 1603},
      {RunOutcome::kDamagedFile, 1603},
      {RunOutcome::kUnwritableRecord, 1603},
      {RunOutcome::kWindowsNtRequired, 1603},
      {RunOutcome::kUncreatableDestination, 1603},
      {RunOutcome::kInstallationFailed, 1603},
      {RunOutcome::kRemoved, 0},
      {RunOutcome::kRemovalIncomplete, 1603},
      {RunOutcome::kRemovalDeclined, 1602},
      {RunOutcome::kNothingInstalled, 0},
      {RunOutcome::kAnotherSetupRunning, 1618},
      {RunOutcome::kBadCommandLine, 1639},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(static_cast<int>(ExitCodeOf(row.outcome)), row.code) << OutcomeText(row.outcome);
    EXPECT_FALSE(OutcomeText(row.outcome).empty()) << row.code;
  }
}

}  // namespace
}  // namespace stp
