// Times one installation through the whole wizard, for bench/install_bench.sh:
// starts the Setup.exe of a medium, walks to the destination page with the
// proposed destination, and measures from the click on "&Weiter >" there to
// the finish dialog. Prints the seconds. Whatever an earlier run of the
// medium's product left (destination, product key, uninstall entry) goes
// first, so that every run is a first installation.
// Usage: install_timing MEDIUM_DIR
#include <shlwapi.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "driver/driver.h"
#include "driver/setup_process.h"

namespace {

// Finer than the driver's polling: the figure is a time. One look costs
// Setup's window system little, unlike the driver's search of every window.
constexpr DWORD kTimingPollMs = 5;
constexpr DWORD kLongestRunMs = 600000;

// The process's window of this class, shown or not.
HWND WindowOfProcess(DWORD process, const char* class_name) {
  for (HWND window = FindWindowExA(nullptr, nullptr, class_name, nullptr); window;
       window = FindWindowExA(nullptr, window, class_name, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process) return window;
  }
  return nullptr;
}

std::string General(const std::string& inf, const char* key) {
  char value[1024] = {};
  GetPrivateProfileStringA("General", key, "", value, sizeof value, inf.c_str());
  return value;
}

int Fail(const char* what) {
  std::fprintf(stderr, "install_timing: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return Fail("usage: install_timing MEDIUM_DIR");
  const std::string medium = std::string(argv[1]) + "\\";
  const std::string inf = medium + "Setup.inf";
  const std::string organisation = General(inf, "Organisation");
  const std::string product = General(inf, "Product");
  // Without both names the keys below would be whole branches of the registry.
  if (organisation.empty() || product.empty()) return Fail("no Setup.inf naming organisation and product");
  // The destination exists, so that no question comes between the click
  // and the run.
  const std::string destination_folder = "C:\\Programme\\" + organisation + " " + product;
  std::error_code ignored;
  std::filesystem::remove_all(destination_folder, ignored);
  std::filesystem::create_directories(destination_folder);
  SHDeleteKeyA(HKEY_LOCAL_MACHINE, ("Software\\" + organisation).c_str());
  SHDeleteKeyA(HKEY_LOCAL_MACHINE, ("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
                                    organisation + product + General(inf, "Version"))
                                       .c_str());

  driver::SetupProcess setup(medium);
  if (!setup.Start()) return Fail("Setup.exe did not start");
  for (const char* page : {"TInfo", "TSysInfo"}) {
    HWND window = driver::WaitForWindow(setup.Id(), page);
    if (!window) return Fail("a page did not come");
    driver::ClickButton(window, "&Weiter >");
    driver::WaitUntilHidden(window);
  }
  HWND destination = driver::WaitForWindow(setup.Id(), "TVerzeichnis");
  if (!destination) return Fail("no destination page");
  HWND finish = WindowOfProcess(setup.Id(), "TEnde");
  if (!finish) return Fail("no finish dialog");

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  driver::ClickButton(destination, "&Weiter >");
  const bool finished =
      driver::WaitFor([&] { return IsWindowVisible(finish) != FALSE; }, kLongestRunMs, kTimingPollMs);
  QueryPerformanceCounter(&end);
  if (!finished) return Fail("the finish dialog did not come");
  std::printf("%.3f\n", static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
  driver::ClickButton(finish, "Beenden");
  setup.WaitForExit();
  return 0;
}
