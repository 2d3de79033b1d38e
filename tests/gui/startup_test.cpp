// Program start and the ways out of it: the backdrop and the welcome page as
// the configuration makes them, the about box, the cancel confirmation, the
// page above the backdrop, one setup per product, the choice between
// installation and maintenance, a missing page picture or Setup.inf.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "scenario.h"

namespace {

using driver::SetupProcess;
using layout::kAnyText;
using scenario::Inf;

// The page stays above the backdrop on the screen, watched for a while, as
// Wine may restack the screen a moment after an activation.
void ExpectPageAbove(HWND page, const char* after) {
  SCOPED_TRACE(after);
  const driver::Rect inside_picture{60, 100, 1, 1};
  EXPECT_FALSE(driver::WaitFor(
      [&] { return !driver::AreaHasColour(page, inside_picture, driver::kPictureColour); }, 1500));
  POINT point{inside_picture.left, inside_picture.top};
  ClientToScreen(page, &point);
  EXPECT_EQ(GetAncestor(WindowFromPoint(point), GA_ROOT), page);
}

// Clicks the backdrop where no page is, as the user does, and says whether
// the system then made it the active window. Clicks at one place in quick
// succession would make a double-click.
bool ClickBackdrop(HWND backdrop, int x) {
  driver::MouseClick(backdrop, x, scenario::kBackdropFreeY);
  return driver::WaitFor([&] { return GetForegroundWindow() == backdrop; });
}

// One session as a user goes through it. The removal switch means nothing
// to a product that is not installed. Until the run has finished, a close
// request and the page's "Abbrechen" ask for confirmation: "Fortfahren"
// leaves everything as it was, "Abbrechen" ends the program.
TEST(Startup, ShowsTheProductAndAsksBeforeEveryWayOut) {
  SetupProcess setup("start", Inf("A", "B", "1.0", "BackCl=$FF\r\nFontCl=0x00FF00\r\nShadowCl=16711680\r\n"));
  ASSERT_TRUE(setup.Start("/u"));
  HWND backdrop = driver::WaitForWindow(setup.Id(), "THaupt", "A B 1.0-Setup");
  ASSERT_TRUE(backdrop);
  EXPECT_TRUE(IsZoomed(backdrop));
  HWND welcome = driver::WaitForWindow(setup.Id(), "TInfo", "Willkommen");
  ASSERT_TRUE(welcome);
  scenario::ExpectPage(
      welcome, {{"Willkommen beim A B 1.0-Setup", {152, 16, 305, 30}},
                {"Mit diesem Programm wird A B 1.0 auf Ihrem System installiert.", {152, 48, 305, 41}},
                {kAnyText, {152, 88, 305, 49}},
                {kAnyText, {152, 144, 305, 49}},
                {"", {152, 200, 305, 49}},
                {"", {152, 240, 305, 40}}});
  EXPECT_FALSE(IsWindowEnabled(driver::ControlByText(welcome, "< &Zurück").handle));
  EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "TWartung"));

  // The title, with its shadow, from the client position (8, 8). Title and
  // shadow are the same letters, so the one above shows more of its colour:
  // it covers part of the other.
  const auto labels = driver::ControlsOf(backdrop);
  ASSERT_EQ(labels.size(), 1u);
  EXPECT_EQ(labels[0].text, "A B 1.0");
  const driver::Rect title = labels[0].bounds;
  EXPECT_EQ(title, (driver::Rect{8, 8, title.width, title.height}));
  EXPECT_TRUE(driver::WaitFor([&] {
    return driver::AreaHasColour(backdrop, {scenario::kBackdropFreeX, scenario::kBackdropFreeY, 1, 1},
                                 RGB(255, 0, 0));
  }));
  const std::vector<COLORREF> shown = driver::CapturePixels(backdrop, title).colours;
  const auto pixels_of = [&](COLORREF colour) { return std::count(shown.begin(), shown.end(), colour); };
  EXPECT_GT(pixels_of(RGB(0, 0, 255)), 50);
  EXPECT_GT(pixels_of(RGB(0, 255, 0)), pixels_of(RGB(0, 0, 255)));

  ASSERT_TRUE(ClickBackdrop(backdrop, scenario::kBackdropFreeX));
  ExpectPageAbove(welcome, "click");

  // A second copy of the product's setup, from the same medium or another
  // one, in another letter case or version, brings the first to the front
  // and ends; another product's setup runs beside it.
  const struct {
    const char* name;
    std::optional<std::string> inf;  // none: the first one's medium
    bool runs;
  } copies[] = {
      {"same-medium", std::nullopt, false},
      {"other-version", Inf("a", "b", "2.0"), false},
      {"other-product", Inf("A", "Anders", "1.0"), true},
  };
  int click_x = scenario::kBackdropFreeX;
  for (const auto& row : copies) {
    SCOPED_TRACE(row.name);
    click_x += 40;
    ASSERT_TRUE(ClickBackdrop(backdrop, click_x));
    std::optional<SetupProcess> second;
    if (row.inf) {
      second.emplace("second", *row.inf);
    } else {
      second.emplace(setup.Directory());
    }
    ASSERT_TRUE(second->Start());
    if (row.runs) {
      EXPECT_TRUE(driver::WaitForWindow(second->Id(), "TInfo"));
    } else {
      EXPECT_EQ(second->WaitForExit(), static_cast<DWORD>(ERROR_INSTALL_ALREADY_RUNNING));
      EXPECT_TRUE(driver::WaitFor([&] { return GetForegroundWindow() == welcome; }));
    }
  }

  driver::DoubleClick(backdrop, scenario::kBackdropFreeX, scenario::kBackdropFreeY);
  HWND about = driver::WaitForWindow(setup.Id(), "TExtInfo", "Informationen zu Kiltwell 98");
  ASSERT_TRUE(about);
  EXPECT_FALSE(IsWindowEnabled(welcome));
  layout::ExpectLayout(about, {632, 225},
                       {{"Produktinfos", {16, 8, 0, 0}},
                        {kAnyText, {24, 24, 481, 17}},
                        {"Warenzeichen", {16, 48, 0, 0}},
                        {kAnyText, {24, 64, 593, 33}},
                        {"Kiltwell - Enterprise, Version 4.0", {16, 112, 0, 0}},
                        {kAnyText, {16, 128, 0, 0}},
                        {kAnyText, {16, 144, 0, 0}},
                        {kAnyText, {16, 160, 0, 0}},
                        {kAnyText, {16, 176, 0, 0}},
                        {"OK", {276, 200, 81, 21}},
                        {"", {8, 8, 617, 185}}},
                       "OK");
  driver::ClickButton(about, "OK");
  ASSERT_TRUE(driver::WaitUntilHidden(about));
  ExpectPageAbove(welcome, "about box");

  for (HWND asked : {backdrop, welcome}) {
    driver::RequestClose(asked);
    HWND confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch", "Setup abbrechen");
    ASSERT_TRUE(confirmation);
    EXPECT_FALSE(IsWindowEnabled(welcome));
    layout::ExpectLayout(confirmation, {340, 133},
                         {{"Wenn Sie Setup jetzt abbrechen, wird A B 1.0 nicht oder unvollsändig auf Ihrem "
                           "System installiert sein",
                           {8, 8, 316, 41}},
                          {kAnyText, {8, 56, 329, 17}},
                          {kAnyText, {8, 80, 0, 0}},
                          {"Fortfahren", {163, 109, 81, 21}},
                          {"Abbrechen", {251, 109, 81, 21}}},
                         "Fortfahren");
    driver::ClickButton(confirmation, "Fortfahren");
    ASSERT_TRUE(driver::WaitUntilHidden(confirmation));
    EXPECT_TRUE(driver::WaitFor([&] { return IsWindowEnabled(welcome); }));
    EXPECT_TRUE(IsWindowVisible(backdrop));
  }
  ExpectPageAbove(welcome, "Fortfahren");

  driver::ClickButton(welcome, "Abbrechen");
  HWND confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch");
  ASSERT_TRUE(confirmation);
  driver::ClickButton(confirmation, "Abbrechen");
  EXPECT_EQ(setup.WaitForExit(), 1602u);
}

// An installed product's key brings the maintenance page, whatever the
// arguments (the maintenance scenarios remove one with the removal switch).
// A close request just hides it, and activating the backdrop again brings
// no page back.
TEST(Startup, ShowsTheMaintenancePageForAnInstalledProduct) {
  SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Wahl");
  driver::SetRegistryString(HKEY_LOCAL_MACHINE, "Software\\Wahl\\Probe\\3.1", "Ort",
                            "C:\\Programme\\Probe\\");
  SetupProcess setup("choice", Inf("Wahl", "Probe", "3.1"));
  ASSERT_TRUE(setup.Start("/LOG=C:\\windows\\temp\\wahl.log"));
  HWND page = driver::WaitForWindow(setup.Id(), "TWartung");
  ASSERT_TRUE(page);
  driver::RequestClose(page);
  EXPECT_TRUE(driver::WaitUntilHidden(page));
  SendMessageTimeoutA(driver::FindWindowOf(setup.Id(), "THaupt"), WM_ACTIVATE, WA_CLICKACTIVE, 0,
                      SMTO_ABORTIFHUNG, driver::kTimeoutMs, nullptr);
  EXPECT_FALSE(IsWindowVisible(page));
  EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "TInfo"));
  SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Wahl");
}

// Without Setup.inf there is no product: said at once, and no window comes.
// An empty one and no picture: every value takes its default, the title is
// two blanks, and the missing picture is reported.
TEST(Startup, ReportsAMissingSetupInfOrPicture) {
  for (const bool inf : {false, true}) {
    SCOPED_TRACE(inf ? "empty Setup.inf" : "no Setup.inf");
    SetupProcess setup("missing", inf ? std::optional<std::string>("") : std::nullopt, false);
    ASSERT_TRUE(setup.Start());
    const auto box = driver::WaitForMessageBox(setup.Id());
    ASSERT_TRUE(box);
    layout::ExpectCentred(box->handle);
    EXPECT_EQ(box->caption, inf ? "  -Setup" : "Fehler");
    EXPECT_EQ(box->text, inf ? "Kann Datei " + setup.Directory() + "setup.bmp nicht öffnen."
                             : "Die Datei " + setup.Directory() +
                                   "Setup.inf wurde nicht gefunden. Ohne sie kann Setup nichts installieren "
                                   "und wird beendet.");
    EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
    driver::ClickButton(box->handle, "OK");
    if (!inf) {
      EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "THaupt"));
      EXPECT_EQ(setup.WaitForExit(), 1603u);
      continue;
    }
    HWND welcome = driver::WaitForWindow(setup.Id(), "TInfo");
    ASSERT_TRUE(welcome);
    HWND backdrop = driver::FindWindowOf(setup.Id(), "THaupt", "  -Setup");
    ASSERT_TRUE(backdrop);
    EXPECT_TRUE(driver::ControlByText(welcome, "Willkommen beim   -Setup").handle);
    EXPECT_TRUE(driver::WaitFor([&] {
      return driver::AreaHasColour(welcome, {60, 100, 1, 1}, GetSysColor(COLOR_BTNFACE)) &&
             driver::AreaHasColour(backdrop, {scenario::kBackdropFreeX, scenario::kBackdropFreeY, 1, 1},
                                   RGB(0, 128, 128));
    }));
  }
}

}  // namespace
