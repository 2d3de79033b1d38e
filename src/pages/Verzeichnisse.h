#pragma once

#include "pages/wizard_page.h"

// The destination directory page, before the installation progress page.
class TVerzeichnis : public WizardPage {
 public:
  TVerzeichnis();

 protected:
  void Button1Click() override;
  void Button3Click() override;
};
