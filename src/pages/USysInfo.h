#pragma once

#include "pages/wizard_page.h"
#include "ui/label.h"

// The system information page, between the welcome page and the destination
// directory page. It gathers its values each time it is shown, and ends setup
// there when the product needs Windows NT and the system is another.
class TSysInfo : public WizardPage {
 public:
  explicit TSysInfo(stp::SetupState& state);

 protected:
  void FormShow() override;

 private:
  void ShowProcessors();
  // On Windows 95/98 the memory section takes the place of the processor section.
  void LeaveOutProcessors();
  void RefuseWithoutNT();

  ui::Label Label1;
  ui::Label BetrSyst;
  ui::Label Label2;
  ui::Label SystVer;
  ui::Label Label3;
  ui::Label SystVerBuild;
  ui::Label Label6;
  ui::Label SystVerInf;
  ui::Label Label4;
  ui::Label ProAnz;
  ui::Label Label7;
  ui::Label ProTyp;
  ui::Label ProVen;
  ui::Label ProSpd;
  ui::Label Label5;
  ui::Label MemoTot;
};
