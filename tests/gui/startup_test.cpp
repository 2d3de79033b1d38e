// Program start and the ways out of it: the backdrop and the welcome page as
// the configuration makes them, the about box, the cancel confirmation, the
// choice between installation and maintenance, a missing page picture.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include "scenario.h"

namespace {

using driver::SetupProcess;
using layout::kAnyText;
using scenario::Inf;

struct StartCase {
  const char* name;
  std::string inf;
  std::string title;
  COLORREF back;
  COLORREF title_colour;
  COLORREF shadow;
  bool close_backdrop;  // rather than the welcome page
};

// Until the run has finished, a close request on the backdrop or the page
// and the page's "Abbrechen" ask for confirmation: "Fortfahren" leaves
// everything as it was, "Abbrechen" ends the program.
TEST(Startup, ShowsTheProductAndAsksBeforeEveryWayOut) {
  const StartCase cases[] = {
      // Parts are joined by single blanks even when empty; "-Setup" follows without one.
      {"defaults", Inf("Farbe", "Probe", ""), "Farbe Probe ", RGB(0, 128, 128), RGB(255, 255, 255),
       RGB(0, 0, 0), false},
      {"configured", Inf("A", "B", "1.0", "BackCl=$FF\r\nFontCl=0x00FF00\r\nShadowCl=16711680\r\n"),
       "A B 1.0", RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), true},
  };
  for (const StartCase& row : cases) {
    SCOPED_TRACE(row.name);
    SetupProcess setup(std::string("start-") + row.name, row.inf);
    ASSERT_TRUE(setup.Start());
    const std::string caption = row.title + "-Setup";
    HWND backdrop = driver::WaitForWindow(setup.Id(), "THaupt", caption);
    ASSERT_TRUE(backdrop);
    EXPECT_TRUE(IsZoomed(backdrop));
    HWND welcome = driver::WaitForWindow(setup.Id(), "TInfo", "Willkommen");
    ASSERT_TRUE(welcome);
    scenario::ExpectPage(
        welcome,
        {{"Willkommen beim " + caption, {152, 16, 305, 30}},
         {"Mit diesem Programm wird " + row.title + " auf Ihrem System installiert.", {152, 48, 305, 41}},
         {kAnyText, {152, 88, 305, 49}},
         {kAnyText, {152, 144, 305, 49}},
         {"", {152, 200, 305, 49}},
         {"", {152, 240, 305, 40}}});
    EXPECT_FALSE(IsWindowEnabled(driver::ControlByText(welcome, "< &Zurück").handle));

    // The title lies above its shadow, which shows 3 pixels to the right and 5 below.
    const auto labels = driver::ControlsOf(backdrop);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].text, row.title);
    EXPECT_EQ(labels[1].text, row.title);
    const driver::Rect title = labels[0].bounds;
    EXPECT_EQ(title, (driver::Rect{8, 8, title.width, title.height}));
    EXPECT_EQ(labels[1].bounds, (driver::Rect{11, 13, title.width, title.height}));
    EXPECT_TRUE(driver::WaitFor([&] {
      return driver::AreaHasColour(backdrop, {scenario::kBackdropFreeX, scenario::kBackdropFreeY, 1, 1},
                                   row.back);
    }));
    EXPECT_TRUE(driver::AreaHasColour(backdrop, title, row.title_colour));
    EXPECT_TRUE(driver::AreaHasColour(backdrop, labels[1].bounds, row.shadow));

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
    EXPECT_TRUE(driver::WaitUntilHidden(about));

    driver::RequestClose(row.close_backdrop ? backdrop : welcome);
    HWND confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch", "Setup abbrechen");
    ASSERT_TRUE(confirmation);
    EXPECT_FALSE(IsWindowEnabled(welcome));
    layout::ExpectLayout(confirmation, {340, 133},
                         {{"Wenn Sie Setup jetzt abbrechen, wird " + row.title +
                               " nicht oder unvollsändig auf Ihrem System installiert sein",
                           {8, 8, 316, 41}},
                          {kAnyText, {8, 56, 329, 17}},
                          {kAnyText, {8, 80, 0, 0}},
                          {"Fortfahren", {163, 109, 81, 21}},
                          {"Abbrechen", {251, 109, 81, 21}}},
                         "Fortfahren");
    driver::ClickButton(confirmation, "Fortfahren");
    EXPECT_TRUE(driver::WaitUntilHidden(confirmation));
    EXPECT_TRUE(driver::WaitFor([&] { return IsWindowEnabled(welcome); }));
    EXPECT_TRUE(IsWindowVisible(welcome));
    EXPECT_TRUE(IsWindowVisible(backdrop));

    driver::ClickButton(welcome, "Abbrechen");
    confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch");
    ASSERT_TRUE(confirmation);
    driver::ClickButton(confirmation, "Abbrechen");
    EXPECT_EQ(setup.WaitForExit(), 0u);
  }
}

// The product key decides; the removal switch matters only for an installed product.
TEST(Startup, ShowsTheMaintenancePageOnlyForAnInstalledProduct) {
  const struct {
    const char* argument;
    bool installed;
  } cases[] = {{"/u", false}, {"/u", true}, {"-U", true}, {"u", true}};
  for (const auto& row : cases) {
    SCOPED_TRACE(std::string(row.argument) + (row.installed ? " installed" : ""));
    // The product key as an earlier installation leaves it.
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Wahl");
    if (row.installed) {
      driver::SetRegistryString(HKEY_LOCAL_MACHINE, "Software\\Wahl\\Probe\\3.1", "Ort",
                                "C:\\Programme\\Probe\\");
    }
    SetupProcess setup("choice", Inf("Wahl", "Probe", "3.1"));
    ASSERT_TRUE(setup.Start(row.argument));
    HWND page = driver::WaitForWindow(setup.Id(), row.installed ? "TWartung" : "TInfo");
    ASSERT_TRUE(page);
    EXPECT_FALSE(driver::FindWindowOf(setup.Id(), row.installed ? "TInfo" : "TWartung"));
    if (!row.installed) continue;
    scenario::ExpectPicture(page);

    // A close request just hides the maintenance page, and activating the
    // backdrop again brings no page back.
    driver::RequestClose(page);
    EXPECT_TRUE(driver::WaitUntilHidden(page));
    SendMessageTimeoutA(driver::FindWindowOf(setup.Id(), "THaupt"), WM_ACTIVATE, WA_CLICKACTIVE, 0,
                        SMTO_ABORTIFHUNG, driver::kTimeoutMs, nullptr);
    EXPECT_FALSE(IsWindowVisible(page));
    EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "TInfo"));
  }
}

// A medium with nothing but Setup.exe: every value takes its default, the
// title is two blanks, and the missing picture is reported.
TEST(Startup, RunsFromAnEmptyMedium) {
  SetupProcess setup("empty", std::nullopt, false);
  ASSERT_TRUE(setup.Start());
  const auto box = driver::WaitForMessageBox(setup.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "  -Setup");
  EXPECT_EQ(box->text, "Kann Datei " + setup.Directory() + "setup.bmp nicht öffnen.");
  EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
  driver::ClickButton(box->handle, "OK");
  HWND welcome = driver::WaitForWindow(setup.Id(), "TInfo");
  ASSERT_TRUE(welcome);
  EXPECT_TRUE(driver::FindWindowOf(setup.Id(), "THaupt", "  -Setup"));
  EXPECT_TRUE(driver::ControlByText(welcome, "Willkommen beim   -Setup").handle);
  EXPECT_TRUE(driver::WaitFor([&] {
    return driver::AreaHasColour(welcome, {60, 100, 1, 1}, GetSysColor(COLOR_BTNFACE));
  }));
}

}  // namespace
