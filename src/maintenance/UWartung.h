#pragma once

#include "pages/wizard_page.h"

// The maintenance page, shown instead of the welcome page when the product is
// installed. Back and Next stay disabled; a close request just hides it.
class TWartung : public WizardPage {
 public:
  explicit TWartung(stp::SetupState& state);

  // "Alle Entfernen": removes the installed product and ends the program.
  void RemoveAll();

 protected:
  bool FormCloseQuery() override { return true; }
};
