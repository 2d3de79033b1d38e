#include "maintenance/UWartung.h"

TWartung::TWartung(stp::SetupState& state) : WizardPage(state, "TWartung", "Wartungsprogramm") {
  Button1.SetEnabled(false);
  Button3.SetEnabled(false);
  SetActiveControl(&Button2);
}

void TWartung::RemoveAll() {
  // The removal itself comes with the maintenance page's content.
}
