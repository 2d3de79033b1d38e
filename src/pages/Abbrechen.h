#pragma once

#include "setup/setup_state.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"

// The cancel confirmation: "Fortfahren" goes back to where the user was,
// "Abbrechen" sets the shared cancel-confirmed flag and ends the program.
class TAbbruch : public ui::Form {
 public:
  explicit TAbbruch(stp::SetupState& state);

  void FormCreate() override;

 protected:
  // Once the run has finished there is nothing left to cancel.
  void FormShow() override;

 private:
  void Button1Click();
  void Button2Click();

  stp::SetupState& state_;
  ui::Label text1_;
  ui::Label text2_;
  ui::Label text3_;
  ui::Button Button1;
  ui::Button Button2;
};
