// The system information page as Wine reports Windows 98 and Windows NT 4.0:
// values, layout, the Windows NT requirement, values gathered on every showing.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <functional>
#include <string>

#include "scenario.h"

namespace {

using driver::SetupProcess;
using scenario::Inf;

constexpr char kProcessorKey[] = "Hardware\\Description\\System\\CentralProcessor\\0";

// The first processor described with values of our own, before and after a
// scenario, so that every page that reads them can.
struct ProcessorValues {
  ProcessorValues() { Set(); }
  ~ProcessorValues() { Set(); }
  static void Set() {
    driver::SetRegistryString(HKEY_LOCAL_MACHINE, kProcessorKey, "Identifier", "Probe-Prozessor");
    driver::SetRegistryString(HKEY_LOCAL_MACHINE, kProcessorKey, "VendorIdentifier", "Probe-Hersteller");
    driver::SetRegistryInteger(HKEY_LOCAL_MACHINE, kProcessorKey, "~MHz", 1234);
  }
};

// Makes Wine report another Windows version to every Setup.exe started
// while the object lives; the test program itself is not affected.
struct ReportedWindows {
  explicit ReportedWindows(const std::string& version) {
    driver::SetRegistryString(HKEY_CURRENT_USER, kKey, "Version", version);
  }
  ~ReportedWindows() { SHDeleteKeyA(HKEY_CURRENT_USER, kKey); }
  static constexpr char kKey[] = "Software\\Wine\\AppDefaults\\Setup.exe";
};

std::string TextAt(HWND page, int left, int top) {
  for (const driver::Control& control : driver::ControlsOf(page)) {
    if (control.bounds.left == left && control.bounds.top == top) return control.text;
  }
  return "<none>";
}

std::string MemoryText() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatusEx(&status);
  return std::to_string(status.ullTotalPhys / 1024) + " KB";
}

// What Wine reports: its Windows 98 is the second edition, build 2222, its
// NT 4.0 has Service Pack 6a. On Windows 98 the memory section takes the
// place of the processor section.
void ExpectSystemPage(HWND page, bool nt) {
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  std::vector<layout::Placed> controls = {
      {"Betriebssystem", {152, 24, 0, 0}}, {nt ? "Windows NT" : "Windows", {160, 48, 0, 0}},
      {"Version", {160, 64, 0, 0}},        {nt ? "4.0" : "4.10", {272, 64, 0, 0}},
      {"Build", {160, 80, 0, 0}},          {nt ? "1381" : "2222", {272, 80, 0, 0}},
      {"Infos", {160, 96, 0, 0}},          {nt ? "Service Pack 6a" : " A ", {272, 96, 0, 0}}};
  if (nt) controls.push_back({"Prozessoren", {152, 136, 0, 0}});
  controls.push_back(
      {nt ? std::to_string(system.dwNumberOfProcessors) + " Systemprozessor(en)" : "", {160, 160, 0, 0}});
  if (nt) controls.push_back({"Hauptprozessor", {160, 176, 0, 0}});
  controls.insert(controls.end(), {
                                      {nt ? "Probe-Prozessor" : "", {264, 176, 0, 0}},
                                      {nt ? "Probe-Hersteller" : "", {264, 192, 0, 0}},
                                      {nt ? "1234 MHz" : "", {264, 208, 0, 0}},
                                      {"Arbeitsspeicher", {152, nt ? 232 : 136, 0, 0}},
                                      // Right beyond 4 GB too, where the old memory query caps its figure.
                                      {MemoryText(), {160, nt ? 256 : 160, 0, 0}},
                                  });
  scenario::ExpectPage(page, controls);
}

// Goes to the destination page and back, changing the system meanwhile.
void ShowAgain(const SetupProcess& setup, HWND page, const std::function<void()>& meanwhile) {
  driver::ClickButton(page, "&Weiter >");
  HWND destination = driver::WaitForWindow(setup.Id(), "TVerzeichnis");
  ASSERT_TRUE(destination);
  meanwhile();
  driver::ClickButton(destination, "< &Zurück");
}

// Without the requirement the page shows, and Back leads to the welcome
// page; with it, its dialog ends setup.
TEST(SystemInfo, Windows98LeavesOutTheProcessorsAndMayEndSetup) {
  const ProcessorValues processor;
  const ReportedWindows reported("win98");
  for (const bool require_nt : {false, true}) {
    SCOPED_TRACE(require_nt ? "RequireNT=1" : "no requirement");
    SetupProcess setup(std::string("win98-") + (require_nt ? "nt" : "any"),
                       Inf("System", "Probe", "1.0", require_nt ? "RequireNT=1\r\n" : ""));
    ASSERT_TRUE(setup.Start());
    ASSERT_TRUE(driver::ClickButton(driver::WaitForWindow(setup.Id(), "TInfo"), "&Weiter >"));
    if (!require_nt) {
      HWND page = driver::WaitForWindow(setup.Id(), "TSysInfo");
      ASSERT_TRUE(page);
      ExpectSystemPage(page, false);
      driver::ClickButton(page, "< &Zurück");
      EXPECT_TRUE(driver::WaitForWindow(setup.Id(), "TInfo"));
      EXPECT_FALSE(IsWindowVisible(page));
      continue;
    }
    HWND dialog = driver::WaitForWindow(setup.Id(), "TFehler", "Windows NT benötigt");
    ASSERT_TRUE(dialog);
    layout::ExpectLayout(dialog, {419, 128},
                         {{"Das zu installierende Programm benötigt Windows NT und funktioniert unter "
                           "ihrem Betriebssystem nicht. Bitte führen Sie Setup unter Windows NT erneut aus.",
                           {16, 16, 385, 73}},
                          {"OK", {169, 104, 81, 21}}},
                         "OK");
    // The page's values are gathered before the dialog comes.
    EXPECT_EQ(TextAt(FindWindowA("TSysInfo", nullptr), 160, 48), "Windows");
    driver::ClickButton(dialog, "OK");
    EXPECT_EQ(setup.WaitForExit(), 1603u);
  }
}

// Each showing reads the processor key anew. An unreadable value is
// reported and stops the gathering: the labels after it keep what they
// held, and the page still works. Windows NT meets the requirement.
TEST(SystemInfo, WindowsNTGathersTheProcessorsOnEveryShowing) {
  const ProcessorValues processor;
  const ReportedWindows reported("nt40");
  SetupProcess setup("nt40", Inf("System", "NT", "1.0", "RequireNT=1\r\n"));
  ASSERT_TRUE(setup.Start());
  ASSERT_TRUE(driver::ClickButton(driver::WaitForWindow(setup.Id(), "TInfo"), "&Weiter >"));
  HWND page = driver::WaitForWindow(setup.Id(), "TSysInfo");
  ASSERT_TRUE(page);
  ExpectSystemPage(page, true);
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[] { SHDeleteValueA(HKEY_LOCAL_MACHINE, kProcessorKey, "~MHz"); },
       "Konnte Daten für '~MHZ' nicht holen."},
      {[] { driver::SetRegistryString(HKEY_LOCAL_MACHINE, kProcessorKey, "~MHz", "schnell"); },
       "Ungültiger Datentyp für '~MHZ'."},
      {[] { driver::SetRegistryInteger(HKEY_LOCAL_MACHINE, kProcessorKey, "Identifier", 5); },
       "Ungültiger Datentyp für 'Identifier'."},
  };
  for (const auto& [spoil, message] : cases) {
    SCOPED_TRACE(message);
    ShowAgain(setup, page, spoil);
    const auto box = driver::WaitForMessageBox(setup.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "System NT 1.0-Setup");
    EXPECT_EQ(box->text, message);
    driver::ClickButton(box->handle, "OK");
    ASSERT_TRUE(driver::WaitForWindow(setup.Id(), "TSysInfo"));
    EXPECT_EQ(TextAt(page, 272, 64), "4.0");
    EXPECT_EQ(TextAt(page, 160, 256), MemoryText());
  }
  driver::ClickButton(page, "&Weiter >");
  EXPECT_TRUE(driver::WaitForWindow(setup.Id(), "TVerzeichnis"));
}

}  // namespace
