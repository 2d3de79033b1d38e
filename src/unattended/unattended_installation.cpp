#include "unattended/unattended_installation.h"

#include <optional>

#include "engine/logged_installation.h"
#include "port/directory_path.h"
#include "port/file_system.h"
#include "port/full_path.h"
#include "unattended/silent_hosts.h"

namespace stp {

DestinationChoice ChooseDestination(const SetupConfiguration& config, const std::string& requested,
                                    const std::string& installed) {
  DestinationChoice choice;
  if (installed.empty() && !requested.empty()) {
    // Checked by the command line already.
    choice.directory = WithTrailingBackslash(requested);
    return choice;
  }
  choice.reinstall = !installed.empty();
  const std::string directory = choice.reinstall ? installed : InitialDestination(config);
  const std::optional<FullPath> path = FullPath::Parse(directory);
  if (!path) {
    choice.error = "Das Zielverzeichnis " + directory + " ist kein vollständiger Pfad mit Laufwerk";
    return choice;
  }
  choice.directory = path->Directory();
  const std::optional<FullPath> wanted = FullPath::Parse(requested);
  if (choice.reinstall && !requested.empty() && !(wanted && wanted->IsSameAs(*path))) {
    choice.warning = "Das Produkt ist in " + installed +
                     " installiert und wird dort neu installiert, nicht in " + requested;
  }
  return choice;
}

RunOutcome InstallUnattended(SetupState& state, const UnattendedInstallation& request,
                             SystemServices services, RunReport& report) {
  if (request.windows_nt_missing) {
    report.Record(MessageKind::kError, kWindowsNtRequiredMessage);
    return RunOutcome::kWindowsNtRequired;
  }
  const DestinationChoice choice =
      ChooseDestination(state.Config(), request.requested_destination, request.installed_directory);
  if (!choice.error.empty()) {
    report.Record(MessageKind::kError, choice.error);
    return RunOutcome::kUncreatableDestination;
  }
  if (!choice.warning.empty()) report.Record(MessageKind::kWarning, choice.warning);
  report.Event((choice.reinstall ? "Neuinstallation in: " : "Zielverzeichnis: ") + choice.directory);
  MakeDirectoryPath(choice.directory);
  if (!port::DirectoryExists(choice.directory)) {
    report.Record(MessageKind::kError,
                  "Das Verzeichnis " + choice.directory +
                      " konnte nicht angelegt werden, die Installation wird abgebrochen");
    return RunOutcome::kUncreatableDestination;
  }
  state.SetDestinationDirectory(choice.directory);
  state.SetRunning();
  const InstallationTables tables =
      LoadInstallationTables(ProfileFile::Load(state.SourceDirectory() + "Setup.inf"));
  SilentInstallationHost host;
  return RunLoggedInstallation(state, tables, host, services, report).outcome;
}

}  // namespace stp
