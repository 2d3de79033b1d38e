#pragma once

#include <exception>
#include <string>

#include "engine/installation_run.h"
#include "setup/run_outcome.h"
#include "setup/run_report.h"

namespace stp {

// An installation host that writes to the run's log what the run asks of
// it, and keeps what the run's outcome depends on; the host it wraps (the
// installation page, or one that shows nothing) answers and shows.
class LoggedInstallationHost final : public InstallationHost {
 public:
  LoggedInstallationHost(InstallationHost& inner, RunReport& report) : inner_(inner), report_(report) {}

  void ProcessMessages() override { inner_.ProcessMessages(); }
  bool CancelConfirmed() override { return inner_.CancelConfirmed(); }
  bool AskForDisk(int number, const std::string& source_directory) override;
  void Advance(std::uint32_t bytes) override { inner_.Advance(bytes); }
  void ShowTarget(const std::string& target, int disk_number) override;
  void ReportErrorNumber(int error) override;
  void ShowSystemUpdate() override;
  void ReportNoSetupData() override;
  void ShowFinishDialog() override { inner_.ShowFinishDialog(); }

  // A diskette prompt ended without its diskette.
  bool DiskRefused() const { return disk_refused_; }
  // The files are being installed: the first target was shown, the system
  // update not yet.
  bool Extracting() const { return extracting_; }

 private:
  InstallationHost& inner_;
  RunReport& report_;
  std::string target_;
  bool disk_refused_ = false;
  bool extracting_ = false;
};

struct InstallationResult {
  RunOutcome outcome;
  // The error that ended the run, already logged; the installation page
  // hands it on to the error display.
  std::exception_ptr error;
};

// Runs the installation with its host and services logged, and tells how
// it ended: a finished run with errors reported on the way counts as
// failed; otherwise it needs a restart when the finish dialog offers one.
// An error that ends the run is logged and classified, never thrown.
InstallationResult RunLoggedInstallation(SetupState& state, const InstallationTables& tables,
                                         InstallationHost& host, SystemServices services, RunReport& report);

}  // namespace stp
