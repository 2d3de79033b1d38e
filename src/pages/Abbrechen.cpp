#include "pages/Abbrechen.h"

#include "ui/application.h"

TAbbruch::TAbbruch(stp::SetupState& state)
    : ui::Form({.class_name = "TAbbruch", .client_width = 340, .client_height = 133, .stay_on_top = true}),
      state_(state),
      text1_(*this, {8, 8, 316, 41}),
      text2_(*this, {8, 56, 329, 17}, "Wenn Sie Setup fortsetzen möchten, klicken Sie auf Fortfahren."),
      text3_(*this, {8, 80, 0, 0}, "Um Setup zu beenden, klicken Sie auf Abbrechen."),
      Button1(*this, {163, 109, 81, 21}, "Fortfahren"),
      Button2(*this, {251, 109, 81, 21}, "Abbrechen") {
  SetCaption("Setup abbrechen");
  text1_.SetWordWrap(true);
  text3_.SetAutoSize(true);
  Button1.OnClick([this] { Button1Click(); });
  Button2.OnClick([this] { Button2Click(); });
  SetDefaultButton(&Button1);
  SetActiveControl(&Button1);
}

void TAbbruch::FormCreate() {
  text1_.SetCaption("Wenn Sie Setup jetzt abbrechen, wird " + state_.ProductTitle() +
                    " nicht oder unvollsändig auf Ihrem System installiert sein");
}

void TAbbruch::FormShow() {
  if (state_.GetRunState() == stp::RunState::kFinished) Close();
}

void TAbbruch::Button1Click() { Close(); }

void TAbbruch::Button2Click() {
  state_.CancelRun();
  ui::App().Terminate();
}
