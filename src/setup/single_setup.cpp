#include "setup/single_setup.h"

#include <windows.h>

#include <string>

namespace {

struct Search {
  std::string caption_start;  // the backdrop's caption up to the version
  HWND found = nullptr;
};

std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& start) {
  const int length = static_cast<int>(start.size());
  return text.size() >= start.size() && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, text.data(),
                                                       length, start.data(), length) == CSTR_EQUAL;
}

// Setup's backdrop, or the launcher's window while it removes the product.
bool IsSetupWindowClass(const std::string& name) { return name == "THaupt" || name == "TDeinstallation"; }

BOOL CALLBACK FindOtherBackdrop(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  char class_name[32] = {};
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() || !GetClassNameA(window, class_name, sizeof class_name) ||
      !IsSetupWindowClass(class_name) || !StartsWithIgnoringCase(WindowText(window), search->caption_start)) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

// The uppermost visible, enabled window that the backdrop owns: the page, or
// the dialog that blocks it; the backdrop itself when it owns none.
HWND WindowToAnswer(HWND backdrop) {
  for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
    if (GetWindow(window, GW_OWNER) == backdrop && IsWindowVisible(window) && IsWindowEnabled(window)) {
      return window;
    }
  }
  return backdrop;
}

}  // namespace

bool ClaimSetupRun(const stp::SetupConfiguration& config) {
  // Never closed: the system lets go of the mutex when the process ends.
  SetLastError(ERROR_SUCCESS);
  HANDLE mutex = CreateMutexA(nullptr, FALSE, stp::SetupRunName(config).c_str());
  return !(mutex && GetLastError() == ERROR_ALREADY_EXISTS);
}

void ShowRunningSetup(const stp::SetupConfiguration& config) {
  // The claim stands for the product in every version and letter case, and
  // so does the search: the caption is the product title, which ends in the
  // version.
  Search search{config.Organisation + " " + config.Product + " "};
  EnumWindows(FindOtherBackdrop, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
  SetForegroundWindow(WindowToAnswer(search.found));
}
