#pragma once

#include <string>

#include "setup/setup_state.h"
#include "ui/bevel.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/panel.h"

// What every page of the wizard shares: its size, the picture panel, the
// separator, the buttons "< &Zurück" (Button1), "&Weiter >" (Button3) and
// "Abbrechen" (Button2), and the close handling: before the end of the run a
// close request asks for cancel confirmation and is refused.
class WizardPage : public ui::Form {
 public:
  void SetPicture(const ui::Bitmap& picture) { picture_.SetPicture(picture); }
  // The pages that Back and Next lead to, set once at program start, so
  // that no page needs to know another page's class.
  void SetNeighbours(ui::Form* back, ui::Form* next) {
    back_ = back;
    next_ = next;
  }

 protected:
  static constexpr int kTextLeft = 152;
  static constexpr int kTextWidth = 305;

  WizardPage(stp::SetupState& state, const char* class_name, const std::string& caption);

  ui::Form* NextPage() const { return next_; }

  // Back and Next: the current page goes, its neighbour comes. Pages
  // without them disable the buttons.
  virtual void Button1Click();
  virtual void Button3Click();
  // Cancel: asks for cancel confirmation.
  virtual void Button2Click();
  bool FormCloseQuery() override;

  stp::SetupState& state_;
  ui::Panel picture_panel_;
  ui::Image picture_;
  ui::Bevel separator_;
  ui::Button Button1;
  ui::Button Button3;
  ui::Button Button2;

 private:
  // The current page goes, the next one comes.
  void MoveTo(ui::Form* next);

  ui::Form* back_ = nullptr;
  ui::Form* next_ = nullptr;
};
