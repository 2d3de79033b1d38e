#pragma once

#include "ui/bevel.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"

// The about box: names the tool the setup was built with. Fixed texts only.
class TExtInfo : public ui::Form {
 public:
  TExtInfo();

 private:
  ui::Label heading1_;
  ui::Label product_line_;
  ui::Label heading2_;
  ui::Label trademark_note_;
  ui::Label edition_line_;
  ui::Label notice1_;
  ui::Label notice2_;
  ui::Label notice3_;
  ui::Label notice4_;
  ui::Button Button1;
  // Created after the texts, so that it lies beneath them.
  ui::Bevel frame_;
};
