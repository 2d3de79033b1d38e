// Close requests and the cancel path, on the welcome page and on the backdrop.
#include <gtest/gtest.h>

#include "driver/driver.h"
#include "driver/setup_process.h"
#include "scenario.h"

namespace {

using driver::SetupProcess;
using scenario::Inf;

struct CloseCase {
  const char* name;
  const char* target;
  // Whether the request comes from the page's "Abbrechen" button rather than the close box.
  bool by_cancel_button;
};

// Until the run has finished, every close request asks for confirmation and
// is refused: "Fortfahren" leaves everything as it was, "Abbrechen" ends the program.
TEST(Cancel, ConfirmationGuardsEveryWayOut) {
  const CloseCase cases[] = {
      {"welcome-close-box", "TInfo", false},
      {"welcome-cancel-button", "TInfo", true},
      {"backdrop-close-box", "THaupt", false},
  };
  for (const CloseCase& row : cases) {
    SCOPED_TRACE(row.name);
    SetupProcess setup(std::string("cancel-") + row.name, Inf("Abbruch", "Probe", "1.0"),
                       driver::kPictureColour);
    ASSERT_TRUE(setup.Start());
    HWND welcome = driver::WaitForWindow(setup.Id(), "TInfo");
    ASSERT_TRUE(welcome);
    HWND target = driver::FindWindowOf(setup.Id(), row.target);
    ASSERT_TRUE(target);
    const auto ask = [&] {
      if (row.by_cancel_button) {
        driver::ClickButton(target, "Abbrechen");
      } else {
        driver::RequestClose(target);
      }
      return driver::WaitForWindow(setup.Id(), "TAbbruch", "Setup abbrechen");
    };

    HWND confirmation = ask();
    ASSERT_TRUE(confirmation);
    EXPECT_FALSE(IsWindowEnabled(welcome));
    EXPECT_TRUE(driver::ClickButton(confirmation, "Fortfahren"));
    EXPECT_TRUE(driver::WaitUntilHidden(confirmation));
    EXPECT_TRUE(driver::WaitFor([&] { return IsWindowEnabled(welcome); }));
    EXPECT_TRUE(IsWindowVisible(welcome));
    EXPECT_TRUE(IsWindowVisible(driver::FindWindowOf(setup.Id(), "THaupt")));
    EXPECT_TRUE(setup.Running());

    confirmation = ask();
    ASSERT_TRUE(confirmation);
    EXPECT_TRUE(driver::ClickButton(confirmation, "Abbrechen"));
    EXPECT_TRUE(setup.WaitForExit());
    EXPECT_EQ(setup.ExitCode(), 0u);
  }
}

TEST(Cancel, PagesOfTheSequenceRefuseToCloseToo) {
  SetupProcess setup("cancel-sequence", Inf("Abbruch", "Folge", "1.0", scenario::kExistingDestination),
                     driver::kPictureColour);
  ASSERT_TRUE(setup.Start());
  for (const char* page_class : {"TInfo", "TSysInfo", "TVerzeichnis", "TInstallation"}) {
    SCOPED_TRACE(page_class);
    HWND page = driver::WaitForWindow(setup.Id(), page_class);
    ASSERT_TRUE(page);
    driver::RequestClose(page);
    HWND confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch");
    ASSERT_TRUE(confirmation);
    driver::ClickButton(confirmation, "Fortfahren");
    ASSERT_TRUE(driver::WaitUntilHidden(confirmation));
    EXPECT_TRUE(IsWindowVisible(page));
    driver::ClickButton(page, "&Weiter >");
  }
}

TEST(Cancel, MaintenancePageJustHidesOnClose) {
  driver::ProductKey key("Wartung-Schliessen", "Probe", "1.0");
  key.MarkInstalled("C:\\Programme\\Probe\\");
  SetupProcess setup("maintenance-close", Inf("Wartung-Schliessen", "Probe", "1.0"), driver::kPictureColour);
  ASSERT_TRUE(setup.Start());
  HWND page = driver::WaitForWindow(setup.Id(), "TWartung", "Wartungsprogramm");
  ASSERT_TRUE(page);
  driver::RequestClose(page);
  EXPECT_TRUE(driver::WaitUntilHidden(page));
  EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "TAbbruch"));
  // The backdrop alone is left, and it still asks.
  driver::RequestClose(driver::FindWindowOf(setup.Id(), "THaupt"));
  EXPECT_TRUE(driver::WaitForWindow(setup.Id(), "TAbbruch"));
}

TEST(Cancel, AboutBoxOpensOnDoubleClickOutsideTheTitle) {
  SetupProcess setup("about", Inf("Info", "Probe", "1.0"), driver::kPictureColour);
  ASSERT_TRUE(setup.Start());
  HWND backdrop = driver::WaitForWindow(setup.Id(), "THaupt");
  ASSERT_TRUE(driver::WaitForWindow(setup.Id(), "TInfo"));
  driver::DoubleClick(backdrop, scenario::kBackdropFreeX, scenario::kBackdropFreeY);
  HWND about = driver::WaitForWindow(setup.Id(), "TExtInfo", "Informationen zu Kiltwell 98");
  ASSERT_TRUE(about);
  // Modal, and in front of the stay-on-top page it blocks.
  EXPECT_FALSE(IsWindowEnabled(driver::FindWindowOf(setup.Id(), "TInfo")));
  EXPECT_TRUE(GetWindowLongA(about, GWL_EXSTYLE) & WS_EX_TOPMOST);
  driver::ClickButton(about, "OK");
  EXPECT_TRUE(driver::WaitUntilHidden(about));
  EXPECT_TRUE(setup.Running());
}

}  // namespace
