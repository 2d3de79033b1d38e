#pragma once

#include "pages/wizard_page.h"
#include "ui/label.h"

// The welcome page, the first page of an installation. It loads the page
// picture that all pages show.
class TInfo : public WizardPage {
 public:
  explicit TInfo(stp::SetupState& state);

  // Composes the heading and the first paragraph, then loads setup.bmp.
  void FormCreate() override;
  const ui::Bitmap& Picture() const { return picture_.Picture(); }

 private:
  ui::Label heading_;
  ui::Label paragraph1_;
  ui::Label paragraph2_;
  ui::Label paragraph3_;
  ui::Label paragraph4_;
  ui::Label paragraph5_;
};
