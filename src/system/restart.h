#pragma once

#include <windows.h>

// The system's request to end the session, as ExitWindowsEx takes it.
using ExitWindowsFunction = BOOL(WINAPI*)(UINT flags, DWORD reason);

// Enables the shutdown privilege of this process. Where the platform has no
// privileges (Windows 95/98) this fails, and it does not matter.
void EnableShutdownPrivilege();

// Asks for a restart, and when that is refused, for a log-off, both closing
// all applications without asking them. False when both were refused.
bool RestartOrLogOff(ExitWindowsFunction exit_windows);
