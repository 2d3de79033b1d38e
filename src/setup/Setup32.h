#pragma once

#include "setup/configuration.h"
#include "setup/setup_state.h"
#include "ui/form.h"
#include "ui/shadow_label.h"

// The backdrop window: maximized, in the configured colours, with the product
// title and its shadow. Its creation reads the setup configuration into the
// shared state, and its first activation chooses between installation and
// maintenance.
class THaupt : public ui::Form {
 public:
  explicit THaupt(stp::SetupState& state);

  // Reads Setup.inf and applies it.
  void FormCreate() override;
  // Takes the configuration into the shared state: colours, title and caption.
  void Configure(const stp::SetupConfiguration& config);

 protected:
  void FormActivate() override;
  bool FormCloseQuery() override;
  void FormDblClick() override;

 private:
  stp::SetupState& state_;
  // The product title with its shadow beneath.
  ui::ShadowLabel title_;
};
