#pragma once

#include "engine/install_host.h"
#include "maintenance/removal_host.h"

namespace stp {

// The host of an installation that nobody watches (Setup.exe /S): there is
// no window to keep alive, nobody to cancel and nobody to change a
// diskette, so a prompt for one ends the run. Everything else the run
// tells its host is for the log, which LoggedInstallationHost writes.
class SilentInstallationHost final : public InstallationHost {
 public:
  void ProcessMessages() override {}
  bool CancelConfirmed() override { return false; }
  bool AskForDisk(int, const std::string&) override { return false; }
  void Advance(std::uint32_t) override {}
  void ShowTarget(const std::string&, int) override {}
  void ReportErrorNumber(int) override {}
  void ShowSystemUpdate() override {}
  void ReportNoSetupData() override {}
  // No finish dialog and no restart: whether one would have been offered
  // is the run's outcome.
  void ShowFinishDialog() override {}
};

// The host of a removal that nobody watches: no gauge, no panel.
class SilentRemovalHost final : public RemovalHost {
 public:
  void SetGaugeMaximum(int) override {}
  void SetGaugePosition(int) override {}
  void ShowProgressPanel() override {}
};

}  // namespace stp
