#pragma once

#include <string>

namespace stp {

// The exit codes of Setup.exe and the launcher, the ones deployment tools
// already understand from other installers.
enum class ExitCode : int {
  kDone = 0,
  kRestartNeeded = 3010,
  kCancelled = 1602,
  kFailed = 1603,
  kAnotherSetupRunning = 1618,
  kBadCommandLine = 1639,
};

// How a run ended, with or without pages.
enum class RunOutcome {
  kInstalled,
  // The finish dialog offers a restart (RebootSystem "1"), or would have.
  kInstalledRestartNeeded,
  // Everything was installed, but a message reported an error on the way
  // (a file time not set, a registry value not written).
  kInstalledWithErrors,
  kInstallationCancelled,
  kNoSetupData,
  kMissingVolume,
  // The setup data does not hold what Setup.inf says of a file.
  kDamagedFile,
  kUnwritableRecord,
  kWindowsNtRequired,
  kUncreatableDestination,
  kInstallationFailed,
  kRemoved,
  // The product still counts as installed, or files it owns stayed.
  kRemovalIncomplete,
  // "&Nein" to the question before a removal.
  kRemovalDeclined,
  // A removal was asked for where the product is not installed.
  kNothingInstalled,
  kAnotherSetupRunning,
  kBadCommandLine,
};

ExitCode ExitCodeOf(RunOutcome outcome);
// The outcome in German words, for the log.
std::string OutcomeText(RunOutcome outcome);

}  // namespace stp
