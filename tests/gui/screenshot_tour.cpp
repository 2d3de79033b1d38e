// Walks Setup.exe on a medium through the windows a person should look at
// and writes each screen as a bitmap: welcome.bmp (backdrop and welcome page),
// cancel.bmp (cancel confirmation), about.bmp (about box).
// Usage: screenshot_tour MEDIUM_DIR OUTPUT_DIR
#include <windows.h>

#include <cstdio>
#include <string>

#include "driver/driver.h"
#include "driver/setup_process.h"

namespace {

// Lets the window finish painting before the picture is taken.
constexpr DWORD kSettleMs = 700;

void Capture(const std::string& path) {
  Sleep(kSettleMs);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  driver::WriteScreenBitmap(path, screen);
  std::printf("%s\n", path.c_str());
}

int Fail(const char* what) {
  std::fprintf(stderr, "screenshot_tour: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Fail("usage: screenshot_tour MEDIUM_DIR OUTPUT_DIR");
  const std::string output = std::string(argv[2]) + "\\";
  driver::SetupProcess setup(argv[1]);
  if (!setup.Start()) return Fail("Setup.exe did not start");

  HWND backdrop = driver::WaitForWindow(setup.Id(), "THaupt");
  HWND welcome = driver::WaitForWindow(setup.Id(), "TInfo");
  if (!backdrop || !welcome) return Fail("no welcome page");
  Capture(output + "welcome.bmp");

  driver::ClickButton(welcome, "Abbrechen");
  HWND confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch");
  if (!confirmation) return Fail("no cancel confirmation");
  Capture(output + "cancel.bmp");
  driver::ClickButton(confirmation, "Fortfahren");
  driver::WaitUntilHidden(confirmation);

  driver::DoubleClick(backdrop, 20, 300);
  HWND about = driver::WaitForWindow(setup.Id(), "TExtInfo");
  if (!about) return Fail("no about box");
  Capture(output + "about.bmp");
  driver::ClickButton(about, "OK");
  driver::WaitUntilHidden(about);

  driver::RequestClose(welcome);
  confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch");
  if (confirmation) driver::ClickButton(confirmation, "Abbrechen");
  return setup.WaitForExit() ? 0 : Fail("Setup.exe did not end");
}
