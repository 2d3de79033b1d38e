// LAUNCHER.EXE: the program that the product's entry in the system's list of
// installed software starts, from the record folder below the destination.
// It removes the product that the installation record beside it describes,
// with the maintenance page's question, removal and report, and without the
// installation medium. With /S it asks nothing and shows nothing; its exit
// code tells how the removal went.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "maintenance/UDeinstallation.h"
#include "maintenance/launcher_copy.h"
#include "maintenance/launcher_start.h"
#include "maintenance/removal_run.h"
#include "port/file_system.h"
#include "setup/command_line.h"
#include "setup/configuration.h"
#include "setup/profile.h"
#include "setup/program_run.h"
#include "setup/single_setup.h"
#include "ui/application.h"
#include "unattended/silent_hosts.h"

namespace {

std::vector<std::string> Arguments() { return std::vector<std::string>(__argv + 1, __argv + __argc); }

// The record, when it lies in a folder "Setup" below a destination and is
// there; otherwise the run is told, and nothing is removed.
bool IsRecord(const std::string& record, stp::RunReport& report) {
  if (stp::DestinationOfRecord(record) && stp::port::FileExists(record)) return true;
  report.Show(stp::MessageKind::kError, "Das Installationsprotokoll " + record +
                                            " wurde nicht gefunden. Ohne es kann nichts entfernt werden.");
  return false;
}

stp::SetupConfiguration Product(const std::string& record, stp::RunReport& report) {
  // The record's "General" section names the product as Setup.inf does.
  const stp::SetupConfiguration product = stp::ReadSetupConfiguration(stp::ProfileFile::Load(record));
  ui::App().SetTitle(stp::WindowCaption(product));
  stp::LogProduct(report.Log(), product);
  return product;
}

// One launcher or Setup of a product at a time: both write or remove the
// same record, key and entry.
bool Claim(const stp::SetupConfiguration& product, bool silent) {
  if (ClaimSetupRun(product)) return true;
  if (!silent) ShowRunningSetup(product);
  return false;
}

stp::RunOutcome Remove(const stp::SetupConfiguration& product, const std::string& record, ProgramRun& run) {
  const std::string destination = *stp::DestinationOfRecord(record);
  if (run.Silent()) {
    stp::SilentRemovalHost host;
    run.Report().Event("Deinstallation aus: " + destination);
    return RemoveInstalledProduct(product, destination, host, run.Report());
  }
  TDeinstallation window(stp::ProductTitle(product));
  ui::App().SetMainForm(window);
  window.Show();
  window.Repaint();
  const stp::RunOutcome outcome = RemoveInstalledProduct(product, destination, window, run.Report());
  ReportRemoval();
  return outcome;
}

std::string FullPathOf(const std::string& file) {
  char full[MAX_PATH] = {};
  const DWORD length = GetFullPathNameA(file.c_str(), MAX_PATH, full, nullptr);
  return length > 0 && length < MAX_PATH ? std::string(full, length) : file;
}

// Started by the system: asks, then goes on from a copy of itself.
int RunOriginal(const stp::CommandLine& command, ProgramRun& run) {
  const std::string own = ui::Application::ExeName();
  if (!command.errors.empty()) {
    run.Report().Show(stp::MessageKind::kError, stp::CommandLineErrorText(command, stp::Program::kLauncher));
    return run.End(stp::RunOutcome::kBadCommandLine);
  }
  const std::string record = own.substr(0, own.find_last_of("\\:") + 1) + "Setup.ini";
  // Its entry in the software list stays: the product still counts as installed.
  if (!IsRecord(record, run.Report())) return run.End(stp::RunOutcome::kRemovalIncomplete);
  const stp::SetupConfiguration product = Product(record, run.Report());
  if (!Claim(product, run.Silent())) return run.End(stp::RunOutcome::kAnotherSetupRunning);
  if (!run.Silent() && !ConfirmRemoval(stp::ProductTitle(product))) {
    return run.End(stp::RunOutcome::kRemovalDeclined);
  }
  const std::string aside = MoveOwnFileAside();
  const stp::CopySwitches switches{!aside.empty(), run.Silent(),
                                   command.log_file.empty() ? "" : FullPathOf(command.log_file)};
  HANDLE copy = StartCopyInTemporaryFolder(aside.empty() ? own : aside, record, switches);
  // Without a copy the removal still runs here; only this file stays, with
  // the folders that hold it, unless it could be moved aside.
  if (!copy) return run.End(Remove(product, record, run));
  if (aside.empty()) {
    CloseHandle(copy);
    run.Report().Event("Die Deinstallation läuft in einer Kopie im temporären Ordner weiter");
    return 0;
  }
  return static_cast<int>(WaitForCopy(copy));
}

// In the copy, before its log begins: the original's last line comes first.
void FollowOriginal(const stp::LauncherStart& start) {
  DeleteOwnFileAtRestart();
  if (start.original_waits) {
    CloseHandle(reinterpret_cast<HANDLE>(start.original_process));
  } else {
    WaitForOriginal(start.original_process);
  }
}

int RunCopy(const stp::LauncherStart& start, ProgramRun& run) {
  if (!IsRecord(start.record, run.Report())) return run.End(stp::RunOutcome::kRemovalIncomplete);
  const stp::SetupConfiguration product = Product(start.record, run.Report());
  // A waiting original holds the product's claim for both of them.
  if (!start.original_waits && !Claim(product, run.Silent())) {
    return run.End(stp::RunOutcome::kAnotherSetupRunning);
  }
  return run.End(Remove(product, start.record, run));
}

// The switches the launcher runs with: the copy has them from the
// original, which read them from its own command line.
stp::CommandLine CommandOf(const stp::LauncherStart& start, const std::string& command_line) {
  if (!start.IsCopy()) {
    return stp::ParseCommandLine(stp::WithQuotedProgramName(command_line, ui::Application::ExeName()),
                                 stp::Program::kLauncher);
  }
  stp::CommandLine command;
  command.silent = start.silent;
  command.log_file = start.log_file;
  return command;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  ui::Application app(instance);
  const stp::LauncherStart start = stp::ParseLauncherArguments(Arguments());
  if (start.IsCopy()) FollowOriginal(start);
  const std::string command_line = GetCommandLineA();
  const stp::CommandLine command = CommandOf(start, command_line);
  ProgramRun run(command, command_line);
  try {
    if (start.IsCopy()) return RunCopy(start, run);
    run.MentionLogProblem();
    return RunOriginal(command, run);
  } catch (const std::exception& error) {
    // Under /S nobody could close a box: the log and the exit code tell.
    run.Report().Record(stp::MessageKind::kError, error.what());
    if (!run.Silent()) app.ShowException(error);
    // The product still counts as installed.
    return run.End(stp::RunOutcome::kRemovalIncomplete);
  }
}
