#include "pages/UInfo.h"

TInfo::TInfo(stp::SetupState& state)
    : WizardPage(state, "TInfo", "Willkommen"),
      heading_(*this, {kTextLeft, 16, kTextWidth, 30}),
      paragraph1_(*this, {kTextLeft, 48, kTextWidth, 41}),
      paragraph2_(
          *this, {kTextLeft, 88, kTextWidth, 49},
          "Beenden Sie alle anderen Programme, bevor Sie mit der Installation fortfahren. Brechen Sie "
          "dazu Setup ab, beenden Sie alle anderen Programme und starten Sie Setup erneut."),
      paragraph3_(
          *this, {kTextLeft, 144, kTextWidth, 49},
          "Um mit der Installation fortzufahren, klicken Sie auf Weiter. Wenn Sie dieses Produkt jetzt "
          "nicht installieren wollen, klicken Sie auf Abbrechen."),
      paragraph4_(*this, {kTextLeft, 200, kTextWidth, 49}),
      paragraph5_(*this, {kTextLeft, 240, kTextWidth, 40}) {
  heading_.SetFontStyle({.bold = true});
  for (ui::Label* label : {&heading_, &paragraph1_, &paragraph2_, &paragraph3_, &paragraph4_, &paragraph5_}) {
    label->SetWordWrap(true);
  }
  Button1.SetEnabled(false);
}

void TInfo::FormCreate() {
  heading_.SetCaption("Willkommen beim " + state_.WindowCaption());
  paragraph1_.SetCaption("Mit diesem Programm wird " + state_.ProductTitle() + " auf Ihrem " +
                         "System installiert.");
  picture_.LoadPicture(state_.SourceDirectory() + "setup.bmp");
}
