#pragma once

#include <string>
#include <vector>

#include "maintenance/removal.h"

// The removal as the maintenance page and the launcher run it, with the
// same question, the same places and the same report.

// The question before a removal; true only when the user answered "&Ja".
bool ConfirmRemoval(const std::string& product_title);

// Removes the product installed in destination, below the places the
// system names for the current user, and returns what stayed behind.
std::vector<stp::LeftBehind> RemoveInstalledProduct(const stp::SetupConfiguration& product,
                                                    const std::string& destination, stp::RemovalHost& host);

// The report that ends every removal, whatever stayed behind.
void ReportRemoval();
