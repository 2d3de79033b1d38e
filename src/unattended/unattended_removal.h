#pragma once

#include "maintenance/removal.h"
#include "setup/run_outcome.h"
#include "setup/run_report.h"

namespace stp {

// Setup.exe /u /S and LAUNCHER.EXE /S: the removal without the question,
// the progress or the report box; the log lists what was removed and what
// stayed. Where the product is not installed (places.destination empty:
// no "Ort", no record beside the launcher) there is nothing to remove.
RunOutcome RemoveUnattended(const SetupConfiguration& product, const InstallationPlaces& places,
                            RemovalFiles& files, RemovalRegistry& registry, RunReport& report);

}  // namespace stp
