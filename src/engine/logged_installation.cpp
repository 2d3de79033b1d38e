#include "engine/logged_installation.h"

#include "engine/installation_messages.h"
#include "engine/logged_services.h"
#include "port/errors.h"

namespace stp {
namespace {

// Which of the run's failures ended it. A diskette that did not come and a
// record that could not be written are known from what the run met; an
// error of our own while the files are extracted is the setup data not
// holding what Setup.inf says (short, out of place, or damaged), while an
// input/output error there can as well be the target's disk.
RunOutcome FailureOutcome(const std::exception& failure, const LoggedInstallationHost& host,
                          const LoggedServices& services) {
  if (host.DiskRefused()) return RunOutcome::kMissingVolume;
  if (services.RecordWriteFailed()) return RunOutcome::kUnwritableRecord;
  const bool ours = dynamic_cast<const Error*>(&failure) && !dynamic_cast<const IoError*>(&failure);
  if (host.Extracting() && ours) return RunOutcome::kDamagedFile;
  return RunOutcome::kInstallationFailed;
}

}  // namespace

bool LoggedInstallationHost::AskForDisk(int number, const std::string& source_directory) {
  report_.Event(std::string(kDiskPromptCaption) + ": " + DiskPromptText(number, source_directory));
  const bool answered = inner_.AskForDisk(number, source_directory);
  if (!answered) disk_refused_ = true;
  return answered;
}

void LoggedInstallationHost::ShowTarget(const std::string& target, int disk_number) {
  target_ = target;
  extracting_ = true;
  inner_.ShowTarget(target, disk_number);
}

void LoggedInstallationHost::ReportErrorNumber(int error) {
  // The page shows the bare number; the log says what it means and where.
  report_.Record(MessageKind::kError, IoErrorText(error),
                 "Fehlernummer " + std::to_string(error) + ", " + target_);
  inner_.ReportErrorNumber(error);
}

void LoggedInstallationHost::ShowSystemUpdate() {
  extracting_ = false;
  report_.Event(kSystemUpdateText);
  inner_.ShowSystemUpdate();
}

void LoggedInstallationHost::ReportNoSetupData() {
  report_.Record(MessageKind::kError, kNoSetupDataMessage);
  inner_.ReportNoSetupData();
}

InstallationResult RunLoggedInstallation(SetupState& state, const InstallationTables& tables,
                                         InstallationHost& host, SystemServices services, RunReport& report) {
  LoggedInstallationHost logged_host(host, report);
  LoggedServices logged_services(services, report);
  const int errors_before = report.Errors();
  try {
    switch (InstallationRun(state, tables, logged_host, logged_services.Services()).Run()) {
      case InstallationRun::Outcome::kFinished:
        if (report.Errors() > errors_before) return {RunOutcome::kInstalledWithErrors, nullptr};
        return {
            state.Config().RebootSystem == "1" ? RunOutcome::kInstalledRestartNeeded : RunOutcome::kInstalled,
            nullptr};
      case InstallationRun::Outcome::kCancelled: return {RunOutcome::kInstallationCancelled, nullptr};
      case InstallationRun::Outcome::kNoSetupData: return {RunOutcome::kNoSetupData, nullptr};
    }
  } catch (const std::exception& failure) {
    const auto* error = dynamic_cast<const Error*>(&failure);
    report.Record(MessageKind::kError, failure.what(), error ? error->Detail() : "");
    return {FailureOutcome(failure, logged_host, logged_services), std::current_exception()};
  }
  return {RunOutcome::kInstallationFailed, nullptr};
}

}  // namespace stp
