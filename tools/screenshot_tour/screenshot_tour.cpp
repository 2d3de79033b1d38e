// Walks Setup.exe on a medium through the windows a person should look at,
// installing the product with the proposed destination, and writes each
// screen as a bitmap: welcome.bmp (backdrop and welcome page), cancel.bmp
// (cancel confirmation), about.bmp (about box), sysinfo.bmp (system
// information), destination.bmp (destination directory page), browser.bmp
// (folder browser), progress.bmp (the installation page while it installs)
// and finish.bmp (the finish dialog in the form the medium asks for), then,
// started again, maintenance.bmp (the maintenance page). The
// other form of the finish dialog, finish-restart.bmp (or finish.bmp when
// the medium offers a restart), is shown inside the tour's own process.
// Usage: screenshot_tour MEDIUM_DIR OUTPUT_DIR
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "driver/driver.h"
#include "driver/setup_process.h"
#include "pages/Beenden.h"
#include "setup/Setup32.h"
#include "setup/forms.h"
#include "setup/profile.h"
#include "ui/application.h"

namespace {

// Lets the window finish painting before the picture is taken.
constexpr DWORD kSettleMs = 700;
// Enough one-millisecond slices for the sample product's whole run.
constexpr int kProgressSlices = 5000;
// Setup stands still this long after each slice: the page refreshes its
// labels by the clock, at most every 40 ms, and so does so between most
// files of the slowed run.
constexpr DWORD kStandStillMs = 20;
constexpr int kShownFile = 3;

// Writes the whole screen as a 24-bit Windows bitmap, top row first.
void WriteScreen(const std::string& path) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = -height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const DWORD row_size = (width * 3 + 3) / 4 * 4;  // 3 bytes a pixel, rows end on 4 bytes
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + row_size * height;

  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap =
      CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(static_cast<const char*>(bits), row_size * height);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

void Capture(const std::string& path) {
  // Waiting handles the messages of the tour's own windows.
  driver::WaitFor([] { return false; }, kSettleMs);
  WriteScreen(path);
  std::printf("%s\n", path.c_str());
}

int Fail(const char* what) {
  std::fprintf(stderr, "screenshot_tour: %s\n", what);
  return 1;
}

bool NextPage(HWND page) {
  driver::ClickButton(page, "&Weiter >");
  return driver::WaitUntilHidden(page);
}

// The finish dialog in the form the medium does not ask for.
void CaptureOtherFinishDialog(const std::string& medium, const std::string& output) {
  ui::Application app(GetModuleHandleA(nullptr));
  stp::SetupState state(ui::Application::ExeName());
  auto haupt = app.CreateForm(Forms().haupt, state);
  stp::SetupConfiguration config =
      stp::ReadSetupConfiguration(stp::ProfileFile::Load(medium + "\\Setup.inf"));
  config.RebootSystem = config.RebootSystem == "1" ? "0" : "1";
  haupt->Configure(config);
  auto ende = app.CreateForm(Forms().ende, state);
  ende->Show();
  Capture(output + (config.RebootSystem == "1" ? "finish-restart.bmp" : "finish.bmp"));
  Forms() = {};
}

// A control's text read without a message to its program, which may be
// stopped.
std::string StoredText(HWND control) {
  wchar_t text[512] = {};
  InternalGetWindowText(control, text, 512);
  char ansi[1024] = {};
  WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
  return ansi;
}

HWND ControlAt(HWND page, int left, int top) {
  for (const driver::Control& control : driver::ControlsOf(page)) {
    if (control.bounds.left == left && control.bounds.top == top) return control.handle;
  }
  return nullptr;
}

// A small product installs faster than a picture can be taken, so the tour
// lets Setup run in slices of a millisecond, standing still in between, and
// takes the picture while it stands still, a few files into the run. The
// page sets a target's text before it paints it; the picture waits for one
// text more than it shows, so that the one it shows is painted.
bool CaptureProgress(const driver::SetupProcess& setup, HWND page, const std::string& path) {
  HWND target = ControlAt(page, 152, 230);
  if (!target) return false;
  HANDLE thread = setup.MainThread();
  SuspendThread(thread);
  std::string shown;
  int files = 0;
  for (int slice = 0; slice < kProgressSlices && files <= kShownFile; ++slice) {
    ResumeThread(thread);
    Sleep(1);
    SuspendThread(thread);
    Sleep(kStandStillMs);
    const std::string text = StoredText(target);
    if (text != shown) {
      shown = text;
      ++files;
    }
  }
  const bool seen = files > kShownFile;
  if (seen) {
    WriteScreen(path);
    std::printf("%s\n", path.c_str());
  }
  ResumeThread(thread);
  return seen;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Fail("usage: screenshot_tour MEDIUM_DIR OUTPUT_DIR");
  const std::string output = std::string(argv[2]) + "\\";
  {
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

    NextPage(welcome);
    HWND sys_info = driver::WaitForWindow(setup.Id(), "TSysInfo");
    if (!sys_info) return Fail("no system information page");
    Capture(output + "sysinfo.bmp");

    NextPage(sys_info);
    HWND destination = driver::WaitForWindow(setup.Id(), "TVerzeichnis");
    if (!destination) return Fail("no destination directory page");
    Capture(output + "destination.bmp");

    driver::ClickButton(destination, "&Ändern...");
    HWND browser = driver::WaitForWindow(setup.Id(), "TSelectFolder");
    if (!browser) return Fail("no folder browser");
    Capture(output + "browser.bmp");
    driver::ClickButton(browser, "Abbrechen");
    driver::WaitUntilHidden(browser);

    driver::ClickButton(destination, "&Weiter >");
    HWND installation = nullptr;
    driver::WaitFor([&] {
      if (HWND question = driver::FindWindowOf(setup.Id(), "TMessageForm")) {
        driver::ClickButton(question, "&Ja");
      }
      return (installation = driver::FindWindowOf(setup.Id(), "TInstallation")) != nullptr;
    });
    if (!installation) return Fail("no installation page");
    if (!CaptureProgress(setup, installation, output + "progress.bmp")) return Fail("no progress seen");

    HWND finish = driver::WaitForWindow(setup.Id(), "TEnde");
    if (!finish) return Fail("no finish dialog");
    // "Abbrechen" declines the restart; no picture is worth a real one.
    const bool restart_form = driver::ControlByText(finish, "Neustart").visible;
    Capture(output + (restart_form ? "finish-restart.bmp" : "finish.bmp"));
    driver::ClickButton(finish, restart_form ? "Abbrechen" : "Beenden");
    if (setup.WaitForExit() == STILL_ACTIVE) return Fail("Setup.exe did not end");
  }
  {
    // Started again, Setup finds the product installed. The tour leaves it
    // installed, so that the demo can list what it put where.
    driver::SetupProcess setup(argv[1]);
    if (!setup.Start()) return Fail("Setup.exe did not start again");
    HWND maintenance = driver::WaitForWindow(setup.Id(), "TWartung");
    if (!maintenance) return Fail("no maintenance page");
    Capture(output + "maintenance.bmp");
    driver::ClickButton(maintenance, "Abbrechen");
    HWND confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch");
    if (!confirmation) return Fail("no cancel confirmation over the maintenance page");
    driver::ClickButton(confirmation, "Abbrechen");
    if (setup.WaitForExit() == STILL_ACTIVE) return Fail("Setup.exe did not end");
  }
  CaptureOtherFinishDialog(argv[1], output);
  return 0;
}
