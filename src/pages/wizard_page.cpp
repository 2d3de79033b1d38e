#include "pages/wizard_page.h"

#include "pages/Abbrechen.h"
#include "setup/forms.h"

namespace {
constexpr int kClientWidth = 472;
constexpr int kClientHeight = 333;
}  // namespace

WizardPage::WizardPage(stp::SetupState& state, const char* class_name, const std::string& caption)
    : ui::Form({.class_name = class_name,
                .client_width = kClientWidth,
                .client_height = kClientHeight,
                .stay_on_top = true}),
      state_(state),
      picture_panel_(*this, {16, 18, 121, 260}),
      picture_(picture_panel_, {1, 1, 119, 258}),
      separator_(*this, {16, 280, 440, 15}, ui::BevelShape::kBottomLine),
      Button1(*this, {175, 304, 81, 21}, "< &Zurück"),
      Button3(*this, {256, 304, 81, 21}, "&Weiter >"),
      Button2(*this, {375, 304, 81, 21}, "Abbrechen") {
  SetCaption(caption);
  picture_panel_.SetBevels(ui::BevelCut::kNone, ui::BevelCut::kLowered);
  Button1.OnClick([this] { Button1Click(); });
  Button3.OnClick([this] { Button3Click(); });
  Button2.OnClick([this] { Button2Click(); });
  SetDefaultButton(&Button3);
  SetActiveControl(&Button3);
}

void WizardPage::Button1Click() { MoveTo(back_); }

void WizardPage::Button3Click() { MoveTo(next_); }

void WizardPage::Button2Click() { Forms().abbruch->ShowModal(); }

bool WizardPage::FormCloseQuery() {
  if (state_.GetRunState() == stp::RunState::kFinished) return true;
  Forms().abbruch->ShowModal();
  return false;
}

void WizardPage::MoveTo(ui::Form* next) {
  if (!next) return;
  Hide();
  next->Show();
}
