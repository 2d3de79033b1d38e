#include "engine/Fortschritt.h"

TInstallation::TInstallation() : WizardPage("TInstallation", "Installationsfortschritt") {
  Button1.SetEnabled(false);
  Button3.SetEnabled(false);
  SetActiveControl(&Button2);
}
