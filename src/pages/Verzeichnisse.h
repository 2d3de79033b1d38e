#pragma once

#include <string>

#include "pages/wizard_page.h"
#include "ui/edit.h"
#include "ui/group_box.h"
#include "ui/label.h"

// The destination directory page, before the installation progress page.
// Its entry field holds the destination directory for the rest of the run.
class TVerzeichnis : public WizardPage {
 public:
  TVerzeichnis();

  // Composes the text and proposes the destination.
  void FormCreate() override;
  // Ends in "\" once Next has been accepted.
  std::string DestinationDirectory() const { return entry_.Text(); }
  void SetDestinationDirectory(const std::string& directory) { entry_.SetText(directory); }

 protected:
  void Button1Click() override;
  // Checks the destination, creates it after a question, then goes on.
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
