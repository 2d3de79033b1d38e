#pragma once

#include "maintenance/removal.h"
#include "setup/run_outcome.h"
#include "setup/run_report.h"

namespace stp {

// Runs the removal with what it removes written to the run's log (each
// file, folder, the product key and the uninstall entry), then one line
// for everything that stayed behind, and tells how it ended: incomplete
// when the product still counts as installed (its product key or uninstall
// entry stayed), when a listed file could not be deleted, or when the
// destination was unusable and nothing below it was touched. Folders that
// stay because they hold the user's own files, and record entries refused
// as outside the installation, are only logged: they are no failure of the
// removal. The maintenance page and the launcher show their progress
// through host; a run without pages passes one that shows nothing.
RunOutcome RunLoggedRemoval(const SetupConfiguration& product, const InstallationPlaces& places,
                            RemovalHost& host, RemovalFiles& files, RemovalRegistry& registry,
                            RunReport& report);

}  // namespace stp
