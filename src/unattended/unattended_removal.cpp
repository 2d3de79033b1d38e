#include "unattended/unattended_removal.h"

#include "maintenance/logged_removal.h"
#include "unattended/silent_hosts.h"

namespace stp {

RunOutcome RemoveUnattended(const SetupConfiguration& product, const InstallationPlaces& places,
                            RemovalFiles& files, RemovalRegistry& registry, RunReport& report) {
  if (places.destination.empty()) return RunOutcome::kNothingInstalled;
  report.Event("Deinstallation aus: " + places.destination);
  SilentRemovalHost host;
  return RunLoggedRemoval(product, places, host, files, registry, report);
}

}  // namespace stp
