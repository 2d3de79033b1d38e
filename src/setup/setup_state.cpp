#include "setup/setup_state.h"

namespace stp {

SetupState::SetupState(std::string program_path)
    : program_path_(std::move(program_path)),
      source_directory_(program_path_.substr(0, program_path_.find_last_of("\\:") + 1)) {}

void SetupState::Configure(const SetupConfiguration& config) {
  config_ = config;
  product_title_ = stp::ProductTitle(config_);
  window_caption_ = stp::WindowCaption(config_);
}

void SetupState::SetRunning() {
  if (run_state_ == RunState::kNotStarted) run_state_ = RunState::kRunning;
}

void SetupState::CancelRun() {
  ConfirmCancel();
  if (!outcome_) outcome_ = RunOutcome::kInstallationCancelled;
}

}  // namespace stp
