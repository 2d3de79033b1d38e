#pragma once

#include "pages/wizard_page.h"

// The system information page, between the welcome page and the destination
// directory page.
class TSysInfo : public WizardPage {
 public:
  TSysInfo();

 protected:
  void Button1Click() override;
  void Button3Click() override;
};
