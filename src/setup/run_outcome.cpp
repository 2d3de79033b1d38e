#include "setup/run_outcome.h"

namespace stp {

ExitCode ExitCodeOf(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kInstalled:
    case RunOutcome::kRemoved:
    // Nothing to remove: what the administrator wanted is so.
    case RunOutcome::kNothingInstalled: return ExitCode::kDone;
    case RunOutcome::kInstalledRestartNeeded: return ExitCode::kRestartNeeded;
    case RunOutcome::kInstallationCancelled:
    case RunOutcome::kRemovalDeclined: return ExitCode::kCancelled;
    case RunOutcome::kInstalledWithErrors:
    case RunOutcome::kNoSetupData:
    case RunOutcome::kMissingVolume:
    case RunOutcome::kDamagedFile:
    case RunOutcome::kUnwritableRecord:
    case RunOutcome::kWindowsNtRequired:
    case RunOutcome::kUncreatableDestination:
    case RunOutcome::kInstallationFailed:
    case RunOutcome::kRemovalIncomplete: return ExitCode::kFailed;
    case RunOutcome::kAnotherSetupRunning: return ExitCode::kAnotherSetupRunning;
    case RunOutcome::kBadCommandLine: return ExitCode::kBadCommandLine;
  }
  return ExitCode::kFailed;
}

std::string OutcomeText(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kInstalled: return "Installation abgeschlossen";
    case RunOutcome::kInstalledRestartNeeded: return "Installation abgeschlossen, Neustart erforderlich";
    case RunOutcome::kInstalledWithErrors: return "Installation abgeschlossen, mit Fehlern";
    case RunOutcome::kInstallationCancelled: return "Installation abgebrochen";
    case RunOutcome::kNoSetupData: return "Installation fehlgeschlagen: kein Setup-Datensatz";
    case RunOutcome::kMissingVolume: return "Installation fehlgeschlagen: Installationsdiskette fehlt";
    case RunOutcome::kDamagedFile: return "Installation fehlgeschlagen: Setup-Datensatz beschädigt";
    case RunOutcome::kUnwritableRecord:
      return "Installation fehlgeschlagen: Setup.ini kann nicht geschrieben werden";
    case RunOutcome::kWindowsNtRequired: return "Installation fehlgeschlagen: Windows NT benötigt";
    case RunOutcome::kUncreatableDestination:
      return "Installation fehlgeschlagen: Zielverzeichnis kann nicht angelegt werden";
    case RunOutcome::kInstallationFailed: return "Installation fehlgeschlagen";
    case RunOutcome::kRemoved: return "Deinstallation abgeschlossen";
    case RunOutcome::kRemovalIncomplete: return "Deinstallation unvollständig";
    case RunOutcome::kRemovalDeclined: return "Deinstallation nicht bestätigt";
    case RunOutcome::kNothingInstalled: return "Nichts zu entfernen: das Produkt ist nicht installiert";
    case RunOutcome::kAnotherSetupRunning: return "Ein anderes Setup des Produkts läuft bereits";
    case RunOutcome::kBadCommandLine: return "Ungültige Befehlszeile";
  }
  return {};
}

}  // namespace stp
