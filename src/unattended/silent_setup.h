#pragma once

#include "setup/command_line.h"
#include "setup/run_outcome.h"
#include "setup/setup_state.h"

// Setup.exe /S: installs, installs again or removes without creating a
// single window, with the same system adapters as the pages. The state
// knows where Setup.inf lies and holds the run's report.
stp::RunOutcome RunSilentSetup(stp::SetupState& state, const stp::CommandLine& command);
