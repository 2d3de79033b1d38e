#include "pages/UError.h"

#include "pages/Abbrechen.h"
#include "setup/forms.h"

namespace {
constexpr int kOkLeft = 125;
constexpr int kSingleButtonLeft = 169;
}  // namespace

TFehler::TFehler()
    : ui::Form({.class_name = "TFehler", .client_width = 419, .client_height = 128, .stay_on_top = true}),
      message_(*this, {16, 16, 385, 73}),
      Button1(*this, {kOkLeft, 104, 81, 21}, "OK"),
      Button2(*this, {213, 104, 81, 21}, "Abbrechen") {
  SetCaption("Setup Fehler");
  message_.SetWordWrap(true);
  Button1.OnClick([this] { Button1Click(); });
  Button2.OnClick([this] { Button2Click(); });
  SetDefaultButton(&Button1);
  SetActiveControl(&Button1);
}

void TFehler::UseSingleButton() {
  Button1.SetPosition(kSingleButtonLeft, Button1.GetBounds().top);
  Button2.SetVisible(false);
}

void TFehler::UseTwoButtons() {
  Button1.SetPosition(kOkLeft, Button1.GetBounds().top);
  Button2.SetVisible(true);
}

void TFehler::FormActivate() { ok_flag_ = false; }

void TFehler::Button1Click() {
  ok_flag_ = true;
  Close();
}

void TFehler::Button2Click() { Forms().abbruch->ShowModal(); }
