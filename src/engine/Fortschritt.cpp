#include "engine/Fortschritt.h"

TInstallation::TInstallation(stp::SetupState& state)
    : WizardPage(state, "TInstallation", "Installationsfortschritt") {
  Button1.SetEnabled(false);
  Button3.SetEnabled(false);
  SetActiveControl(&Button2);
}
