// LAUNCHER.EXE: the program that the product's entry in the system's list of
// installed software starts, from the record folder below the destination.
// It removes the product that the installation record beside it describes,
// with the maintenance page's question, removal and report, and without the
// installation medium.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "maintenance/UDeinstallation.h"
#include "maintenance/launcher_copy.h"
#include "maintenance/launcher_start.h"
#include "maintenance/removal_run.h"
#include "port/file_system.h"
#include "setup/configuration.h"
#include "setup/profile.h"
#include "setup/single_setup.h"
#include "ui/application.h"
#include "ui/message_dialog.h"

namespace {

std::vector<std::string> Arguments() { return std::vector<std::string>(__argv + 1, __argv + __argc); }

// The record, when it lies in a folder "Setup" below a destination and is
// there; otherwise the user is told, and nothing is removed.
bool IsRecord(const std::string& record) {
  if (stp::DestinationOfRecord(record) && stp::port::FileExists(record)) return true;
  ui::MessageDlg(
      "Das Installationsprotokoll " + record + " wurde nicht gefunden. Ohne es kann nichts entfernt werden.",
      ui::MsgDlgType::kError, {ui::MsgDlgButton::kOk});
  return false;
}

stp::SetupConfiguration Product(const std::string& record) {
  // The record's "General" section names the product as Setup.inf does.
  const stp::SetupConfiguration product = stp::ReadSetupConfiguration(stp::ProfileFile::Load(record));
  ui::App().SetTitle(stp::WindowCaption(product));
  return product;
}

// One launcher or Setup of a product at a time: both write or remove the
// same record, key and entry.
bool Claim(const stp::SetupConfiguration& product) {
  if (ClaimSetupRun(product)) return true;
  ShowRunningSetup(product);
  return false;
}

void Remove(const stp::SetupConfiguration& product, const std::string& record) {
  TDeinstallation window(stp::ProductTitle(product));
  ui::App().SetMainForm(window);
  window.Show();
  window.Repaint();
  RemoveInstalledProduct(product, *stp::DestinationOfRecord(record), window);
  ReportRemoval();
}

// Started by the system: asks, then goes on from a copy of itself.
int RunOriginal() {
  const std::string own = ui::Application::ExeName();
  const std::string record = own.substr(0, own.find_last_of("\\:") + 1) + "Setup.ini";
  if (!IsRecord(record)) return 1;
  const stp::SetupConfiguration product = Product(record);
  if (!Claim(product)) return ERROR_INSTALL_ALREADY_RUNNING;
  if (!ConfirmRemoval(stp::ProductTitle(product))) return 0;
  // Without a copy the removal still runs here; only this file stays, with
  // the folders that hold it.
  if (!StartCopyInTemporaryFolder(record)) Remove(product, record);
  return 0;
}

int RunCopy(const stp::LauncherStart& start) {
  DeleteOwnFileAtRestart();
  WaitForOriginal(start.original_process);
  if (!IsRecord(start.record)) return 1;
  const stp::SetupConfiguration product = Product(start.record);
  if (!Claim(product)) return ERROR_INSTALL_ALREADY_RUNNING;
  Remove(product, start.record);
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  ui::Application app(instance);
  try {
    const stp::LauncherStart start = stp::ParseLauncherArguments(Arguments());
    return start.IsCopy() ? RunCopy(start) : RunOriginal();
  } catch (const std::exception& error) {
    app.ShowException(error);
    return 1;
  }
}
