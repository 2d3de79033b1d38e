#include "pages/Verzeichnisse.h"

#include "pages/USelectFolder.h"
#include "port/directory_path.h"
#include "port/file_system.h"
#include "setup/forms.h"
#include "ui/message_dialog.h"

namespace {

// The destination goes into the installation record and the product key,
// and every target path is appended to it: an empty or relative one would
// install wherever Setup happened to be started.
constexpr char kNotAFullPath[] =
    "Bitte geben Sie das Zielverzeichnis mit Laufwerk und vollständigem Pfad ein, zum Beispiel "
    "C:\\Programme\\Produkt.";

}  // namespace

TVerzeichnis::TVerzeichnis(stp::SetupState& state)
    : WizardPage(state, "TVerzeichnis", "Zielverzeichnis wählen"),
      heading_(*this, {kTextLeft, 16, kTextWidth, 25}, "Installationsverzeichnis"),
      text1_(*this, {kTextLeft, 48, kTextWidth, 41}),
      text2_(*this, {kTextLeft, 96, kTextWidth, 17},
             "Um mit der Installation fortzufahren, klicken Sie auf Weiter."),
      text3_(*this, {kTextLeft, 120, kTextWidth, 33},
             "Wenn Sie dieses Produkt jetzt nicht installieren wollen, brechen Sie die Installation ab, "
             "indem Sie auf Abbrechen klicken."),
      group_box_(*this, {kTextLeft, 221, 304, 57}, " Zielverzeichnis "),
      entry_(group_box_, {8, 21, 201, 21}),
      change_button_(group_box_, {215, 21, 81, 21}, "&Ändern...") {
  heading_.SetFontStyle({.bold = true});
  for (ui::Label* label : {&text1_, &text2_, &text3_}) label->SetWordWrap(true);
  change_button_.OnClick([this] { ChangeClick(); });
}

void TVerzeichnis::FormCreate() {
  text1_.SetCaption(
      "Geben Sie hier den Pfad ein, in dem " + state_.ProductTitle() +
      " installiert werden soll. Es wird empfohlen, das vorgegebene Verzeichnis beizubehalten.");
  // A destination given on the command line is proposed instead.
  const std::string& requested = state_.RequestedDestination();
  entry_.SetText(requested.empty() ? stp::InitialDestination(state_.Config()) : requested);
}

void TVerzeichnis::Button3Click() {
  const std::string destination = stp::WithTrailingBackslash(entry_.Text());
  if (!stp::IsFullPath(destination)) {
    ui::MessageDlg(kNotAFullPath, ui::MsgDlgType::kError, {ui::MsgDlgButton::kOk});
    return;
  }
  entry_.SetText(destination);
  if (!stp::port::DirectoryExists(destination)) {
    const ui::ModalResult answer =
        ui::MessageDlg("Das Verzeichnis " + destination + " exisitiert nicht. Soll es angelegt werden?",
                       ui::MsgDlgType::kConfirmation, {ui::MsgDlgButton::kYes, ui::MsgDlgButton::kNo});
    if (answer != ui::ModalResult::kYes) return;
    stp::MakeDirectoryPath(destination);
    // A missing drive or a name Windows refuses: better said now than at the first file.
    if (!stp::port::DirectoryExists(destination)) {
      ui::MessageDlg("Das Verzeichnis " + destination +
                         " konnte nicht angelegt werden. Bitte wählen Sie ein anderes Zielverzeichnis.",
                     ui::MsgDlgType::kError, {ui::MsgDlgButton::kOk});
      return;
    }
  }
  state_.SetDestinationDirectory(destination);
  WizardPage::Button3Click();
}

void TVerzeichnis::ChangeClick() {
  std::string directory = entry_.Text();
  if (Forms().select_folder->Choose(directory)) entry_.SetText(directory);
  // A root picked in the browser ("C:\") becomes "C:"; Next adds the "\" again.
  entry_.SetText(stp::WithoutTrailingBackslash(entry_.Text()));
}
