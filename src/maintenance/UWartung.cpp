#include "maintenance/UWartung.h"

TWartung::TWartung() : WizardPage("TWartung", "Wartungsprogramm") {
  Button1.SetEnabled(false);
  Button3.SetEnabled(false);
  SetActiveControl(&Button2);
}

void TWartung::RemoveAll() {
  // The removal itself comes with the maintenance page's content.
}
