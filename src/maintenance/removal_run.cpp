#include "maintenance/removal_run.h"

#include "maintenance/logged_removal.h"
#include "maintenance/removal_texts.h"
#include "system/removal_registry.h"
#include "system/shell_folders.h"
#include "ui/message_dialog.h"

bool ConfirmRemoval(const std::string& product_title) {
  // Only "&Ja" goes on: the dialog also ends without an answer when the
  // end of the program was requested meanwhile.
  return ui::MessageDlg(stp::RemovalQuestion(product_title), ui::MsgDlgType::kConfirmation,
                        {ui::MsgDlgButton::kYes, ui::MsgDlgButton::kNo}) == ui::ModalResult::kYes;
}

stp::InstallationPlaces UserInstallationPlaces(const std::string& destination) {
  UserShellFolders folders;
  return {destination, folders.WindowsDirectory(), folders.DesktopFolder(), folders.ProgramsFolder()};
}

stp::RunOutcome RemoveInstalledProduct(const stp::SetupConfiguration& product, const std::string& destination,
                                       stp::RemovalHost& host, stp::RunReport& report) {
  stp::DiskRemovalFiles files;
  SystemRemovalRegistry registry(report);
  return stp::RunLoggedRemoval(product, UserInstallationPlaces(destination), host, files, registry, report);
}

void ReportRemoval() {
  ui::MessageDlg(stp::kRemovalReport, ui::MsgDlgType::kInformation, {ui::MsgDlgButton::kOk});
}
