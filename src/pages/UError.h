#pragma once

#include <string>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"

// The error dialog: the caller sets caption and message, shows it modally and
// then reads the OK flag. "Abbrechen" asks for cancel confirmation over it.
class TFehler : public ui::Form {
 public:
  TFehler();

  void SetMessage(const std::string& text) { message_.SetCaption(text); }
  // One centred "OK", no "Abbrechen".
  void UseSingleButton();
  // "OK" and "Abbrechen" side by side, as the dialog is made.
  void UseTwoButtons();
  // Whether the dialog was left by its OK button since it last became active.
  bool OkFlag() const { return ok_flag_; }

 protected:
  void FormActivate() override;

 private:
  void Button1Click();
  void Button2Click();

  ui::Label message_;
  ui::Button Button1;
  ui::Button Button2;
  bool ok_flag_ = false;
};
