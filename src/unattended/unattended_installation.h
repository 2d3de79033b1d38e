#pragma once

#include <string>

#include "engine/system_services.h"
#include "setup/run_outcome.h"
#include "setup/run_report.h"
#include "setup/setup_state.h"

namespace stp {

// The text the system information page shows when the product needs
// Windows NT and the system is another.
inline constexpr char kWindowsNtRequiredMessage[] =
    "Das zu installierende Programm benötigt Windows NT und funktioniert unter ihrem Betriebssystem nicht. "
    "Bitte führen Sie Setup unter Windows NT erneut aus.";

// Where an installation without pages goes.
struct DestinationChoice {
  std::string directory;   // ends in "\"; empty when none is usable
  bool reinstall = false;  // into the directory the product is installed in
  std::string warning;     // why the requested directory is not used
  std::string error;       // why there is no usable directory
};

// requested: the checked /D= directory, or empty. installed: the product
// key's "Ort", empty when the product is not installed. An installed
// product is installed again where it is, as the maintenance page's
// reinstallation does: another directory would leave the first
// installation behind without a record. Otherwise the requested directory,
// or the destination page's proposal. Only a full path is usable, since
// the record and the removal depend on it.
DestinationChoice ChooseDestination(const SetupConfiguration& config, const std::string& requested,
                                    const std::string& installed);

struct UnattendedInstallation {
  std::string requested_destination;  // CommandLine::destination
  std::string installed_directory;    // "Ort" of the product key
  bool windows_nt_missing = false;    // the product needs Windows NT, and this is not NT
};

// Setup.exe /S: the installation without a page or a question. It checks
// what the pages would have checked (Windows NT, the destination, which is
// created when missing), then runs the installation from the Setup.inf
// beside the program with a host that shows nothing, and tells how it
// ended. Everything the pages would have shown goes to the log.
RunOutcome InstallUnattended(SetupState& state, const UnattendedInstallation& request,
                             SystemServices services, RunReport& report);

}  // namespace stp
