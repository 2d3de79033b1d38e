#include <windows.h>

#include <exception>

#include "engine/Fortschritt.h"
#include "maintenance/UWartung.h"
#include "pages/Abbrechen.h"
#include "pages/Beenden.h"
#include "pages/UError.h"
#include "pages/UExtInfo.h"
#include "pages/UInfo.h"
#include "pages/USelectFolder.h"
#include "pages/USysInfo.h"
#include "pages/Verzeichnisse.h"
#include "port/file_system.h"
#include "setup/Setup32.h"
#include "setup/forms.h"
#include "setup/setup_state.h"
#include "setup/single_setup.h"
#include "ui/application.h"
#include "ui/message_dialog.h"

// Program start: every window once, hidden, in this order, because each
// later window composes its texts from what the backdrop window has read.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  ui::Application app(instance);
  try {
    stp::SetupState state(ui::Application::ExeName());
    // Without it there is no product: the wizard would offer to install "  "
    // into "C:\Programme\ ".
    const std::string setup_inf = state.SourceDirectory() + "Setup.inf";
    if (!stp::port::FileExists(setup_inf)) {
      ui::MessageDlg("Die Datei " + setup_inf +
                         " wurde nicht gefunden. Ohne sie kann Setup nichts installieren und wird beendet.",
                     ui::MsgDlgType::kError, {ui::MsgDlgButton::kOk});
      return 1;
    }
    SetupForms& forms = Forms();
    auto haupt = app.CreateForm(forms.haupt, state);
    app.SetMainForm(*haupt);
    if (!ClaimSetupRun(state.Config())) {
      ShowRunningSetup(state.Config());
      return ERROR_INSTALL_ALREADY_RUNNING;
    }
    auto ext_info = app.CreateForm(forms.ext_info);
    auto verzeichnis = app.CreateForm(forms.verzeichnis, state);
    auto installation = app.CreateForm(forms.installation, state);
    auto ende = app.CreateForm(forms.ende, state);
    auto abbruch = app.CreateForm(forms.abbruch, state);
    auto fehler = app.CreateForm(forms.fehler);
    auto info = app.CreateForm(forms.info, state);
    auto wartung = app.CreateForm(forms.wartung, state);
    auto sys_info = app.CreateForm(forms.sys_info, state);
    auto select_folder = app.CreateForm(forms.select_folder);

    // The installation sequence: welcome, system information, destination,
    // progress.
    info->SetNeighbours(nullptr, sys_info.get());
    sys_info->SetNeighbours(info.get(), verzeichnis.get());
    verzeichnis->SetNeighbours(sys_info.get(), installation.get());
    // Reinstallation: the recorded directory into the destination page's
    // field, and on to the installation page.
    wartung->SetNeighbours(nullptr, installation.get());
    wartung->SetDestinationField(verzeichnis->DestinationField());
    for (WizardPage* page : std::initializer_list<WizardPage*>{verzeichnis.get(), installation.get(),
                                                               wartung.get(), sys_info.get()}) {
      page->SetPicture(info->Picture());
    }
    app.Run();
  } catch (const std::exception& error) {
    // A window that could not be made at all: nothing to run.
    app.ShowException(error);
    return 1;
  }
  return 0;
}
