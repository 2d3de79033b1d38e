#pragma once

namespace stptool {

// From now on SIGINT (Ctrl+C), SIGTERM and SIGHUP ask the run to stop at the
// next block instead of ending the program at once, so that what it was
// writing can be removed; a second such signal ends the program at once. A
// file-size limit (SIGXFSZ) no longer ends the program either: the write
// that passes it fails, and the run reports it and cleans up.
void CatchSignals();

// One of those signals came.
bool Interrupted();

// Throws the ToolError of an interrupted run once a signal came.
void StopIfInterrupted();

}  // namespace stptool
