#include "pages/Beenden.h"

#include "ui/application.h"
#include "ui/message_dialog.h"

namespace {
// The middle of the dialog, for "Beenden" alone.
constexpr int kSingleButtonLeft = 151;
}  // namespace

TEnde::TEnde(stp::SetupState& state)
    : ui::Form({.class_name = "TEnde", .client_width = 382, .client_height = 145, .stay_on_top = true}),
      state_(state),
      Label1(*this, {16, 8, 346, 37}),
      Label2(*this, {16, 64, 362, 41},
             "Klicken Sie auf Neustart, um Ihren Computer neu zu starten. Wenn Sie Ihren Computer nicht neu "
             "starten wollen, klicken Sie auf Abbrechen. Setup kann in diesem Fall das Produkt nicht korrekt "
             "installieren."),
      Button1(*this, {153, 120, 81, 21}, "Neustart"),
      Button2(*this, {247, 120, 81, 21}, "Abbrechen") {
  SetCaption("Setup abschließen");
  Label1.SetWordWrap(true);
  Label2.SetWordWrap(true);
  Button1.OnClick([this] { Button1Click(); });
  Button2.OnClick([this] { Button2Click(); });
  SetDefaultButton(&Button1);
  SetActiveControl(&Button1);
}

void TEnde::FormCreate() {
  const std::string& caption = state_.WindowCaption();
  if (state_.Config().RebootSystem == "1") {
    Label1.SetCaption("Ihr Computer muß neu gestartet werden, um " + caption +
                      " erfolgreich auf Ihrem Computer zu installieren.");
    return;
  }
  Label1.SetCaption(caption + " wurde erfolgreich installiert.");
  Label2.SetCaption("Klicken Sie auf Beenden, um Setup abzuschließen");
  Button2.SetCaption("Beenden");
  Button2.SetPosition(kSingleButtonLeft, Button2.GetBounds().top);
  Button1.SetVisible(false);
  SetDefaultButton(&Button2);
  SetActiveControl(&Button2);
}

void TEnde::FormShow() { state_.SetFinished(); }

void TEnde::Button1Click() {
  EnableShutdownPrivilege();
  if (!RestartOrLogOff(exit_windows_)) {
    ui::MessageDlg("Der Neustart wurde verweigert. Bitte starten Sie den Computer manuell neu.",
                   ui::MsgDlgType::kInformation, {ui::MsgDlgButton::kOk});
  }
  ui::App().Terminate();
}

void TEnde::Button2Click() { ui::App().Terminate(); }
