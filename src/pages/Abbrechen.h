#pragma once

#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"

// The cancel confirmation: "Fortfahren" goes back to where the user was,
// "Abbrechen" sets the cancel-confirmed flag and ends the program.
class TAbbruch : public ui::Form {
 public:
  TAbbruch();

  void FormCreate() override;
  // Set once the user confirmed cancelling; never reset. The installation
  // stops copying when it sees it.
  bool CancelConfirmed() const { return cancel_confirmed_; }

 protected:
  // Once the run has finished there is nothing left to cancel.
  void FormShow() override;

 private:
  void Button1Click();
  void Button2Click();

  ui::Label text1_;
  ui::Label text2_;
  ui::Label text3_;
  ui::Button Button1;
  ui::Button Button2;
  bool cancel_confirmed_ = false;
};
