#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "maintenance/launcher_start.h"

// A running program's file cannot be deleted, and the launcher lies among
// the files it removes. So it hands the removal to a copy of itself in the
// temporary folder, which leaves its own file for the system to delete at
// the next restart. A running program's file can still be renamed: the
// launcher moves its own into the temporary folder too, and then waits for
// the copy and ends with its exit code, which tells a deployment tool how
// the removal went. Where that move fails (the temporary folder on another
// drive), the launcher ends at once and the copy waits for it instead.

// Moves the running launcher's own file into the temporary folder, where
// it goes at the next restart. Its new path; empty when it stays where it is.
std::string MoveOwnFileAside();

// Starts a copy of the running launcher (whose file is at own) from the
// temporary folder, to remove the product of record, with the switches
// passed on. The copy's process, or null when no copy could be made or
// started; nothing of it is left then.
HANDLE StartCopyInTemporaryFolder(const std::string& own, const std::string& record,
                                  const stp::CopySwitches& switches);

// Waits for the copy to end and gives its exit code.
DWORD WaitForCopy(HANDLE copy);

// In the copy: waits (a while at most) for the original launcher to end,
// then lets go of its handle.
void WaitForOriginal(std::uintptr_t process);

// In the copy: its own file goes when the system restarts next. False when
// the system would not take the request.
bool DeleteOwnFileAtRestart();
