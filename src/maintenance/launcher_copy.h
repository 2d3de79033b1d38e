#pragma once

#include <cstdint>
#include <string>

// A running program's file cannot be deleted, and the launcher lies among
// the files it removes. So it hands the removal to a copy of itself in the
// temporary folder and ends; the copy waits for it, removes the product,
// and leaves its own file for the system to delete at the next restart.

// Starts a copy of the running launcher from the temporary folder, to remove
// the product of record once this process has ended. False when no copy
// could be made or started; nothing of it is left then.
bool StartCopyInTemporaryFolder(const std::string& record);

// In the copy: waits (a while at most) for the original launcher to end,
// then lets go of its handle.
void WaitForOriginal(std::uintptr_t process);

// In the copy: its own file goes when the system restarts next. False when
// the system would not take the request.
bool DeleteOwnFileAtRestart();
