#pragma once

#include <string>

#include "maintenance/removal.h"
#include "setup/run_outcome.h"
#include "setup/run_report.h"

// The removal as the maintenance page and the launcher run it, with the
// same question, the same places and the same report.

// The question before a removal; true only when the user answered "&Ja".
bool ConfirmRemoval(const std::string& product_title);

// The places of an installation in destination, as the system names them
// for the current user.
stp::InstallationPlaces UserInstallationPlaces(const std::string& destination);

// Removes the product installed in destination, logging what was removed
// and what stayed behind, and tells how it ended. Registry failures go to
// the report's messages.
stp::RunOutcome RemoveInstalledProduct(const stp::SetupConfiguration& product, const std::string& destination,
                                       stp::RemovalHost& host, stp::RunReport& report);

// The report that ends every removal, whatever stayed behind.
void ReportRemoval();
