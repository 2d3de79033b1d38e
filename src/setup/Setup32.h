#pragma once

#include <string>

#include "setup/configuration.h"
#include "ui/form.h"
#include "ui/shadow_label.h"

// The run state only moves forward: not started, running, finished.
enum class RunState { kNotStarted = 0, kRunning = 1, kFinished = -1 };

// The directory of the running program, ending in "\": Setup.inf, setup.bmp
// and the setup data are looked up there.
std::string SourceDirectory();

// The backdrop window: maximized, in the configured colours, with the product
// title and its shadow. It holds the setup configuration and the run state,
// and its first activation chooses between installation and maintenance.
class THaupt : public ui::Form {
 public:
  THaupt();

  // Reads Setup.inf and applies it.
  void FormCreate() override;
  // Takes the configuration: colours, title and caption.
  void Configure(const stp::SetupConfiguration& config);

  const stp::SetupConfiguration& Config() const { return config_; }
  // Organisation, Product and Version with one blank between them.
  const std::string& ProductTitle() const { return product_title_; }
  // The product title followed by "-Setup"; also the application title.
  const std::string& WindowCaption() const { return window_caption_; }

  RunState GetRunState() const { return run_state_; }
  void SetFinished() { run_state_ = RunState::kFinished; }

 protected:
  void FormActivate() override;
  bool FormCloseQuery() override;
  void FormDblClick() override;

 private:
  // The product title with its shadow beneath.
  ui::ShadowLabel title_;
  stp::SetupConfiguration config_;
  std::string product_title_;
  std::string window_caption_;
  RunState run_state_ = RunState::kNotStarted;
};
