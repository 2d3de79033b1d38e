// The system information page as Wine reports Windows 98 and Windows NT 4.0:
// values, layout, the Windows NT requirement, values gathered on every showing.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "driver/driver.h"
#include "driver/setup_process.h"
#include "scenario.h"

namespace {

using driver::ProcessorValue;
using driver::SetupProcess;
using scenario::Inf;

std::string TextAt(HWND page, int left, int top) { return scenario::ControlAt(page, left, top).text; }

std::string MemoryText() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatusEx(&status);
  return std::to_string(status.ullTotalPhys / 1024) + " KB";
}

struct PlatformCase {
  const char* version;
  const char* platform;
  const char* version_text;
  const char* build;
  const char* extra;
  bool processors;
  int memory_heading_top;
  int memory_top;
};

// Wine's Windows 98 is the second edition, build 2222; its NT 4.0 has Service Pack 6a.
TEST(SystemInfo, ShowsWhatTheSystemReportsAndWalksBothWays) {
  const PlatformCase cases[] = {
      {"win98", "Windows", "4.10", "2222", " A ", false, 136, 160},
      {"nt40", "Windows NT", "4.0", "1381", "Service Pack 6a", true, 232, 256},
  };
  const ProcessorValue identifier("Identifier");
  const ProcessorValue vendor("VendorIdentifier");
  const ProcessorValue speed("~MHz");
  SYSTEM_INFO system{};
  GetSystemInfo(&system);

  for (const PlatformCase& row : cases) {
    SCOPED_TRACE(row.version);
    const driver::ReportedWindows reported(row.version);
    SetupProcess setup(std::string("sysinfo-") + row.version,
                       Inf("System", "Probe", "1.0", scenario::kExistingDestination), driver::kPictureColour);
    ASSERT_TRUE(setup.Start());
    HWND page = scenario::WalkTo(setup, "TSysInfo");
    ASSERT_TRUE(page);
    EXPECT_EQ(TextAt(page, 160, 48), row.platform);
    EXPECT_EQ(TextAt(page, 272, 64), row.version_text);
    EXPECT_EQ(TextAt(page, 272, 80), row.build);
    EXPECT_EQ(TextAt(page, 272, 96), row.extra);
    const std::string count = std::to_string(system.dwNumberOfProcessors) + " Systemprozessor(en)";
    EXPECT_EQ(TextAt(page, 160, 160), row.processors ? count : "");
    EXPECT_EQ(TextAt(page, 264, 176), row.processors ? identifier.SavedText() : "");
    EXPECT_EQ(TextAt(page, 264, 192), row.processors ? vendor.SavedText() : "");
    EXPECT_EQ(TextAt(page, 264, 208), row.processors ? speed.SavedText() + " MHz" : "");
    EXPECT_EQ(driver::ControlByText(page, "Prozessoren").visible, row.processors);
    EXPECT_EQ(driver::ControlByText(page, "Hauptprozessor").visible, row.processors);
    EXPECT_EQ(driver::ControlByText(page, "Arbeitsspeicher").bounds.top, row.memory_heading_top);
    // Right beyond 4 GB too, where the old memory query caps its figure.
    const driver::Control memory = driver::ControlByText(page, MemoryText());
    EXPECT_EQ(memory.bounds.left, 160);
    EXPECT_EQ(memory.bounds.top, row.memory_top);

    driver::ClickButton(page, "&Weiter >");
    HWND destination = driver::WaitForWindow(setup.Id(), "TVerzeichnis");
    ASSERT_TRUE(destination);
    driver::ClickButton(destination, "< &Zurück");
    ASSERT_TRUE(driver::WaitForWindow(setup.Id(), "TSysInfo"));
    EXPECT_EQ(driver::ControlByText(page, "Arbeitsspeicher").bounds.top, row.memory_heading_top);
    driver::ClickButton(page, "< &Zurück");
    EXPECT_TRUE(driver::WaitForWindow(setup.Id(), "TInfo"));
    EXPECT_FALSE(IsWindowVisible(page));
  }
}

struct RequirementCase {
  const char* name;
  const char* version;
  // How the dialog is left: by its button or by its close box; none when no dialog may come.
  std::function<void(HWND)> leave;
};

TEST(SystemInfo, RequireNTEndsSetupOnlyWithoutWindowsNT) {
  const RequirementCase cases[] = {
      {"win98-ok", "win98", [](HWND dialog) { driver::ClickButton(dialog, "OK"); }},
      {"win98-close-box", "win98", [](HWND dialog) { driver::RequestClose(dialog); }},
      {"nt40", "nt40", nullptr},
  };
  for (const RequirementCase& row : cases) {
    SCOPED_TRACE(row.name);
    const driver::ReportedWindows reported(row.version);
    SetupProcess setup(std::string("require-nt-") + row.name,
                       Inf("System", "NT", "1.0", "RequireNT=1\r\n" + scenario::kExistingDestination),
                       driver::kPictureColour);
    ASSERT_TRUE(setup.Start());
    HWND welcome = driver::WaitForWindow(setup.Id(), "TInfo");
    ASSERT_TRUE(welcome);
    driver::ClickButton(welcome, "&Weiter >");
    if (!row.leave) {
      HWND page = driver::WaitForWindow(setup.Id(), "TSysInfo");
      ASSERT_TRUE(page);
      EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "TFehler"));
      driver::ClickButton(page, "&Weiter >");
      EXPECT_TRUE(driver::WaitForWindow(setup.Id(), "TVerzeichnis"));
      continue;
    }
    HWND dialog = driver::WaitForWindow(setup.Id(), "TFehler", "Windows NT benötigt");
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(
        driver::ControlByText(dialog,
                              "Das zu installierende Programm benötigt Windows NT und funktioniert unter "
                              "ihrem Betriebssystem nicht. Bitte führen Sie Setup unter Windows NT "
                              "erneut aus.")
            .handle);
    const driver::Control ok = driver::ControlByText(dialog, "OK");
    EXPECT_EQ(ok.bounds, (driver::Rect{169, 104, 81, 21}));
    EXPECT_TRUE(ok.default_button);
    EXPECT_FALSE(driver::ControlByText(dialog, "Abbrechen").visible);
    // The page's values are gathered before the dialog comes.
    EXPECT_EQ(TextAt(FindWindowA("TSysInfo", nullptr), 160, 48), "Windows");
    row.leave(dialog);
    EXPECT_TRUE(setup.WaitForExit());
    EXPECT_EQ(setup.ExitCode(), 0u);
  }
}

struct ReadFailureCase {
  const char* name;
  std::function<void()> spoil;
  const char* message;
};

// Each showing reads the processor key anew: changes show, unreadable values
// are reported, and the page still works.
TEST(SystemInfo, GathersAgainOnEveryShowingAndReportsUnreadableValues) {
  const ProcessorValue identifier("Identifier");
  const ProcessorValue vendor("VendorIdentifier");
  const ProcessorValue speed("~MHz");
  SetupProcess setup("sysinfo-again", Inf("System", "Wieder", "1.0", scenario::kExistingDestination),
                     driver::kPictureColour);
  ASSERT_TRUE(setup.Start());
  HWND page = scenario::WalkTo(setup, "TSysInfo");
  ASSERT_TRUE(page);
  ASSERT_EQ(TextAt(page, 264, 192), vendor.SavedText());
  const std::string version = TextAt(page, 272, 64);
  driver::ClickButton(page, "&Weiter >");
  HWND destination = driver::WaitForWindow(setup.Id(), "TVerzeichnis");
  ASSERT_TRUE(destination);
  vendor.SetString("Probe-Hersteller");
  driver::ClickButton(destination, "< &Zurück");
  ASSERT_TRUE(driver::WaitForWindow(setup.Id(), "TSysInfo"));
  EXPECT_EQ(TextAt(page, 264, 192), "Probe-Hersteller");

  const ReadFailureCase cases[] = {
      {"speed-missing", [&] { speed.Remove(); }, "Konnte Daten für '~MHZ' nicht holen."},
      {"speed-text", [&] { speed.SetString("schnell"); }, "Ungültiger Datentyp für '~MHZ'."},
      {"identifier-number", [&] { identifier.SetInteger(5); }, "Ungültiger Datentyp für 'Identifier'."},
  };
  for (const ReadFailureCase& row : cases) {
    SCOPED_TRACE(row.name);
    driver::ClickButton(page, "&Weiter >");
    destination = driver::WaitForWindow(setup.Id(), "TVerzeichnis");
    ASSERT_TRUE(destination);
    row.spoil();
    driver::ClickButton(destination, "< &Zurück");
    const auto box = driver::WaitForMessageBox(setup.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "System Wieder 1.0-Setup");
    EXPECT_EQ(box->text, row.message);
    driver::ClickButton(box->handle, "OK");
    ASSERT_TRUE(driver::WaitForWindow(setup.Id(), "TSysInfo"));
    // The labels after the processor values keep what the last showing put there.
    EXPECT_EQ(TextAt(page, 272, 64), version);
    EXPECT_FALSE(TextAt(page, 160, 256).empty());
  }
  driver::ClickButton(page, "&Weiter >");
  EXPECT_TRUE(driver::WaitForWindow(setup.Id(), "TVerzeichnis"));
}

// A processor value that cannot be read at the first showing stops the
// gathering before the version and memory labels are filled.
TEST(SystemInfo, AnUnreadableSpeedAtTheFirstShowingLeavesTheLaterLabelsEmpty) {
  const driver::ReportedWindows reported("nt40");
  const ProcessorValue speed("~MHz");
  speed.Remove();
  SetupProcess setup("sysinfo-first", Inf("System", "Erst", "1.0", scenario::kExistingDestination),
                     driver::kPictureColour);
  ASSERT_TRUE(setup.Start());
  HWND welcome = driver::WaitForWindow(setup.Id(), "TInfo");
  ASSERT_TRUE(welcome);
  driver::ClickButton(welcome, "&Weiter >");
  const auto box = driver::WaitForMessageBox(setup.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "Konnte Daten für '~MHZ' nicht holen.");
  driver::ClickButton(box->handle, "OK");
  HWND page = driver::WaitForWindow(setup.Id(), "TSysInfo");
  ASSERT_TRUE(page);
  EXPECT_EQ(TextAt(page, 160, 48), "Windows NT");
  EXPECT_EQ(TextAt(page, 272, 64), "");
  EXPECT_EQ(TextAt(page, 272, 80), "");
  EXPECT_EQ(TextAt(page, 160, 256), "");
  driver::ClickButton(page, "&Weiter >");
  EXPECT_TRUE(driver::WaitForWindow(setup.Id(), "TVerzeichnis"));
}

}  // namespace
