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
#include "setup/command_line.h"
#include "setup/forms.h"
#include "setup/program_run.h"
#include "setup/setup_state.h"
#include "setup/single_setup.h"
#include "ui/application.h"
#include "unattended/silent_setup.h"

namespace {

// The wizard, exactly as without a command line, except that /D= is its
// proposal and a removal switch anywhere removes at once.
stp::RunOutcome RunInteractively(ui::Application& app, stp::SetupState& state, const stp::CommandLine& command) {
  state.SetRequestedDestination(command.destination);
  state.SetRemovalRequested(command.RemovalRequested());
  // Every window once, hidden, in this order, because each later window
  // composes its texts from what the backdrop window has read.
  SetupForms& forms = Forms();
  auto haupt = app.CreateForm(forms.haupt, state);
  app.SetMainForm(*haupt);
  stp::LogProduct(state.Report().Log(), state.Config());
  if (!ClaimSetupRun(state.Config())) {
    ShowRunningSetup(state.Config());
    return stp::RunOutcome::kAnotherSetupRunning;
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
  // Every way out of the wizard decides the outcome; one that did not
  // cannot claim success.
  return state.Outcome().value_or(stp::RunOutcome::kInstallationFailed);
}

stp::RunOutcome RunSetup(ui::Application& app, const stp::CommandLine& command, stp::RunReport& report) {
  if (!command.errors.empty()) {
    report.Show(stp::MessageKind::kError, stp::CommandLineErrorText(command));
    return stp::RunOutcome::kBadCommandLine;
  }
  stp::SetupState state(ui::Application::ExeName());
  state.SetReport(report);
  // Without it there is no product: the wizard would offer to install "  "
  // into "C:\Programme\ ".
  const std::string setup_inf = state.SourceDirectory() + "Setup.inf";
  if (!stp::port::FileExists(setup_inf)) {
    report.Show(stp::MessageKind::kError, "Die Datei " + setup_inf +
                                              " wurde nicht gefunden. Ohne sie kann Setup nichts installieren "
                                              "und wird beendet.");
    return stp::RunOutcome::kNoSetupData;
  }
  return command.silent ? RunSilentSetup(state, command) : RunInteractively(app, state, command);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  ui::Application app(instance);
  const std::string command_line = GetCommandLineA();
  const stp::CommandLine command = stp::ParseCommandLine(command_line);
  ProgramRun run(command, command_line);
  run.MentionLogProblem();
  try {
    return run.End(RunSetup(app, command, run.Report()));
  } catch (const std::exception& error) {
    // A window that could not be made at all, or a Setup.inf that could
    // not be read: nothing to run.
    run.Report().Record(stp::MessageKind::kError, error.what());
    if (!run.Silent()) app.ShowException(error);
    return run.End(stp::RunOutcome::kInstallationFailed);
  }
}
