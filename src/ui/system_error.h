#pragma once

#include <windows.h>

#include <string>

namespace ui {

// The system's text for a Win32 error number, with the number in front.
std::string SystemErrorText(DWORD error);

}  // namespace ui
