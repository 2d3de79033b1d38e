#pragma once

#include <string>

#include "pages/wizard_page.h"
#include "ui/edit.h"
#include "ui/group_box.h"
#include "ui/label.h"

// The destination directory page, before the installation progress page.
// The directory it accepts is the destination for the rest of the run.
class TVerzeichnis : public WizardPage {
 public:
  explicit TVerzeichnis(stp::SetupState& state);

  // Composes the text and proposes the destination.
  void FormCreate() override;
  // The entry field, which the maintenance page's reinstallation fills.
  ui::Edit& DestinationField() { return entry_; }

 protected:
  // Checks the destination, creates it after a question, then hands it to
  // the shared state and goes on.
  void Button3Click() override;

 private:
  void ChangeClick();

  ui::Label heading_;
  ui::Label text1_;
  ui::Label text2_;
  ui::Label text3_;
  ui::GroupBox group_box_;
  ui::Edit entry_;
  ui::Button change_button_;
};
