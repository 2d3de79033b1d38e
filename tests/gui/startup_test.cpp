// Program start: title and caption, colours, the choice between the welcome
// and the maintenance page, the page picture.
#include <gtest/gtest.h>

#include "driver/driver.h"
#include "driver/setup_process.h"
#include "scenario.h"

namespace {

using driver::SetupProcess;
using scenario::Inf;

struct TitleCase {
  const char* name;
  std::optional<std::string> inf;
  std::string title;
};

// Parts are joined by single blanks even when empty; "-Setup" follows without one.
TEST(Startup, ComposesTitleAndCaptionFromTheConfiguration) {
  const TitleCase cases[] = {
      {"three-parts", Inf("A", "B", "1.0"), "A B 1.0"},
      {"no-version", Inf("Firma", "Planer", ""), "Firma Planer "},
      {"no-setup-inf", std::nullopt, "  "},
  };
  for (const TitleCase& row : cases) {
    SCOPED_TRACE(row.name);
    SetupProcess setup(std::string("title-") + row.name, row.inf, driver::kPictureColour);
    ASSERT_TRUE(setup.Start());
    const std::string caption = row.title + "-Setup";
    HWND backdrop = driver::WaitForWindow(setup.Id(), "THaupt", caption);
    ASSERT_TRUE(backdrop);
    EXPECT_TRUE(IsZoomed(backdrop));
    const auto controls = driver::ControlsOf(backdrop);
    ASSERT_EQ(controls.size(), 2u);
    EXPECT_EQ(controls[0].text, row.title);
    EXPECT_EQ(controls[1].text, row.title);

    HWND welcome = driver::WaitForWindow(setup.Id(), "TInfo", "Willkommen");
    ASSERT_TRUE(welcome);
    EXPECT_TRUE(driver::ControlByText(welcome, "Willkommen beim " + caption).handle);
    EXPECT_TRUE(driver::ControlByText(
                    welcome, "Mit diesem Programm wird " + row.title + " auf Ihrem System installiert.")
                    .handle);
  }
}

struct ColourCase {
  const char* name;
  std::string colours;
  COLORREF back;
  COLORREF title;
  COLORREF shadow;
};

TEST(Startup, PaintsTheBackdropInTheConfiguredColours) {
  const ColourCase cases[] = {
      {"defaults", "", RGB(0, 128, 128), RGB(255, 255, 255), RGB(0, 0, 0)},
      {"configured", "BackCl=$FF\r\nFontCl=0x00FF00\r\nShadowCl=16711680\r\n", RGB(255, 0, 0), RGB(0, 255, 0),
       RGB(0, 0, 255)},
  };
  for (const ColourCase& row : cases) {
    SCOPED_TRACE(row.name);
    SetupProcess setup(std::string("colours-") + row.name, Inf("Farbe", "Probe", "1.0", row.colours),
                       driver::kPictureColour);
    ASSERT_TRUE(setup.Start());
    HWND backdrop = driver::WaitForWindow(setup.Id(), "THaupt");
    ASSERT_TRUE(backdrop);
    ASSERT_TRUE(driver::WaitForWindow(setup.Id(), "TInfo"));
    EXPECT_TRUE(driver::WaitFor([&] {
      return driver::PixelAt(backdrop, scenario::kBackdropFreeX, scenario::kBackdropFreeY) == row.back;
    }));
    const auto labels = driver::ControlsOf(backdrop);
    ASSERT_EQ(labels.size(), 2u);
    // The title lies above its shadow, which shows 3 pixels to the right and 5 below.
    EXPECT_EQ(labels[0].bounds.left, 8);
    EXPECT_EQ(labels[0].bounds.top, 8);
    EXPECT_EQ(labels[1].bounds.left, 11);
    EXPECT_EQ(labels[1].bounds.top, 13);
    EXPECT_EQ(labels[0].bounds.width, labels[1].bounds.width);
    EXPECT_TRUE(
        driver::WaitFor([&] { return driver::AreaHasColour(backdrop, labels[0].bounds, row.title); }));
    EXPECT_TRUE(
        driver::WaitFor([&] { return driver::AreaHasColour(backdrop, labels[1].bounds, row.shadow); }));
  }
}

struct InstalledCase {
  const char* name;
  bool installed;
  std::string argument;
  const char* page;
};

// The product key decides; the removal switch matters only for an installed product.
TEST(Startup, ChoosesWelcomeOrMaintenanceByTheProductKey) {
  const InstalledCase cases[] = {
      {"fresh", false, "", "TInfo"},
      {"fresh-with-switch", false, "/u", "TInfo"},
      {"installed", true, "", "TWartung"},
      {"installed-single-u", true, "u", "TWartung"},
  };
  for (const InstalledCase& row : cases) {
    SCOPED_TRACE(row.name);
    const std::string organisation = std::string("Wahl-") + row.name;
    driver::ProductKey key(organisation, "Probe", "3.1");
    if (row.installed) key.MarkInstalled("C:\\Programme\\Probe\\");
    SetupProcess setup(std::string("choice-") + row.name, Inf(organisation, "Probe", "3.1"),
                       driver::kPictureColour);
    ASSERT_TRUE(setup.Start(row.argument));
    HWND page = driver::WaitForWindow(setup.Id(), row.page);
    ASSERT_TRUE(page);
    EXPECT_FALSE(driver::FindWindowOf(setup.Id(), row.installed ? "TInfo" : "TWartung"));
    // Reading the product key creates it.
    EXPECT_TRUE(key.Exists());
    // Activating the backdrop again later changes nothing.
    HWND backdrop = driver::FindWindowOf(setup.Id(), "THaupt");
    PostMessageA(backdrop, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_FALSE(driver::WaitFor([&] { return !IsWindowVisible(page); }, 1000));
    EXPECT_FALSE(driver::FindWindowOf(setup.Id(), row.installed ? "TInfo" : "TWartung"));
  }
}

TEST(Startup, EveryPageShowsTheWelcomePagesPicture) {
  SetupProcess setup("picture", Inf("Bild", "Probe", "1.0", scenario::kExistingDestination),
                     driver::kPictureColour);
  ASSERT_TRUE(setup.Start());
  const char* sequence[] = {"TInfo", "TSysInfo", "TVerzeichnis", "TInstallation"};
  for (const char* page_class : sequence) {
    SCOPED_TRACE(page_class);
    HWND page = driver::WaitForWindow(setup.Id(), page_class);
    ASSERT_TRUE(page);
    // Inside the panel's bevel, and at the picture's far corner.
    EXPECT_TRUE(driver::WaitFor([&] { return driver::PixelAt(page, 17, 19) == driver::kPictureColour; }));
    EXPECT_EQ(driver::PixelAt(page, 16 + driver::kPictureWidth, 18 + driver::kPictureHeight),
              driver::kPictureColour);
    driver::ClickButton(page, "&Weiter >");
  }
}

TEST(Startup, ReportsAMissingPictureAndGoesOn) {
  SetupProcess setup("no-picture", Inf("Ohne", "Bild", "1.0"), std::nullopt);
  ASSERT_TRUE(setup.Start());
  const auto box = driver::WaitForMessageBox(setup.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Ohne Bild 1.0-Setup");
  EXPECT_EQ(box->text, "Kann Datei " + setup.Directory() + "setup.bmp nicht öffnen.");
  EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
  driver::ClickButton(box->handle, "OK");
  HWND welcome = driver::WaitForWindow(setup.Id(), "TInfo");
  ASSERT_TRUE(welcome);
  EXPECT_TRUE(
      driver::WaitFor([&] { return driver::PixelAt(welcome, 60, 100) == GetSysColor(COLOR_BTNFACE); }));
}

}  // namespace
