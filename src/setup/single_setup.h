#pragma once

#include "setup/configuration.h"

// One Setup of a product at a time: two would write the same installation
// record, product key and uninstall entry. The claim is per product, not per
// medium, so that copies of one product on two media exclude each other
// while other products' setups run freely.

// Claims the product for this process until it ends; false when another
// Setup holds it. A claim that cannot be made at all does not stop the run.
bool ClaimSetupRun(const stp::SetupConfiguration& config);

// Brings the other Setup of the product to the front: the window that is
// the user's to answer, its page or its dialog.
void ShowRunningSetup(const stp::SetupConfiguration& config);
