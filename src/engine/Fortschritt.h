#pragma once

#include "pages/wizard_page.h"

// The installation progress page. Back and Next stay disabled for the whole run.
class TInstallation : public WizardPage {
 public:
  explicit TInstallation(stp::SetupState& state);
};
