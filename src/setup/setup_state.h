#pragma once

#include <optional>
#include <string>

#include "setup/configuration.h"
#include "setup/run_outcome.h"
#include "setup/run_report.h"
#include "setup/setup_log.h"

namespace stp {

// The run state only moves forward: not started, running, finished.
enum class RunState { kNotStarted = 0, kRunning = 1, kFinished = -1 };

// What the windows of one setup run have in common: the configuration read
// at start, the product title and caption composed from it, where the setup
// program and the destination are, the run state and the cancel-confirmed
// flag, what the command line asks of the pages, the run's report and how
// the run ended. The program start makes one and hands it to every window
// that needs it; the installation run takes it too.
class SetupState {
 public:
  // program_path: the full path of the running setup program.
  explicit SetupState(std::string program_path);
  SetupState(const SetupState&) = delete;
  SetupState& operator=(const SetupState&) = delete;

  const std::string& ProgramPath() const { return program_path_; }
  // The program's directory, ending in "\": Setup.inf, setup.bmp and the
  // setup data are looked up there.
  const std::string& SourceDirectory() const { return source_directory_; }

  // Takes the configuration as read at start and composes title and caption.
  void Configure(const SetupConfiguration& config);
  const SetupConfiguration& Config() const { return config_; }
  // Organisation, Product and Version with one blank between them.
  const std::string& ProductTitle() const { return product_title_; }
  // The product title followed by "-Setup"; also the application title.
  const std::string& WindowCaption() const { return window_caption_; }

  // Ends in "\" once the destination page has accepted it.
  const std::string& DestinationDirectory() const { return destination_directory_; }
  void SetDestinationDirectory(const std::string& directory) { destination_directory_ = directory; }

  RunState GetRunState() const { return run_state_; }
  // Only forward: a finished run never counts as running again.
  void SetRunning();
  void SetFinished() { run_state_ = RunState::kFinished; }

  // Set once the user confirmed cancelling; never reset. The installation
  // stops copying when it sees it.
  bool CancelConfirmed() const { return cancel_confirmed_; }
  void ConfirmCancel() { cancel_confirmed_ = true; }

  // Where messages and events of the run go; until the program start
  // hands over its own, a report that logs nothing and shows nothing.
  RunReport& Report() { return *report_; }
  void SetReport(RunReport& report) { report_ = &report; }

  // The /D= directory, which the destination page proposes; empty without.
  const std::string& RequestedDestination() const { return requested_destination_; }
  void SetRequestedDestination(const std::string& directory) { requested_destination_ = directory; }
  // The command line asks for removal: the installed product goes at once,
  // without the question.
  bool RemovalRequested() const { return removal_requested_; }
  void SetRemovalRequested(bool requested) { removal_requested_ = requested; }

  // How the run ended, as far as the pages know; nothing until one of them
  // decides. A later decision replaces an earlier one, but a cancel never
  // hides how a run had ended before it (see CancelRun).
  const std::optional<RunOutcome>& Outcome() const { return outcome_; }
  void SetOutcome(RunOutcome outcome) { outcome_ = outcome; }
  // The user confirmed cancelling: counts only when nothing ended the run
  // before, so that a failed run cancelled afterwards stays failed.
  void CancelRun();

 private:
  std::string program_path_;
  std::string source_directory_;
  SetupConfiguration config_;
  std::string product_title_;
  std::string window_caption_;
  std::string destination_directory_;
  RunState run_state_ = RunState::kNotStarted;
  bool cancel_confirmed_ = false;
  SetupLog no_log_;
  RunReport quiet_report_{no_log_};
  RunReport* report_ = &quiet_report_;
  std::string requested_destination_;
  bool removal_requested_ = false;
  std::optional<RunOutcome> outcome_;
};

}  // namespace stp
