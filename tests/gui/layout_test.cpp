// The layout of each window as the user sees it: client size, and place,
// size, state and default button of every control, one table per window.
#include <gtest/gtest.h>

#include <vector>

#include "driver/driver.h"
#include "driver/setup_process.h"
#include "scenario.h"

namespace {

using driver::Rect;
using driver::SetupProcess;

struct Expected {
  std::string text;
  Rect bounds;
  bool enabled = true;
  bool default_button = false;
};

void ExpectLayout(HWND window, SIZE client, const std::vector<Expected>& rows) {
  const SIZE size = driver::ClientSize(window);
  EXPECT_EQ(size.cx, client.cx);
  EXPECT_EQ(size.cy, client.cy);
  // Centred on the screen.
  RECT frame;
  GetWindowRect(window, &frame);
  EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  for (const Expected& row : rows) {
    SCOPED_TRACE(row.text);
    const driver::Control control = driver::ControlByText(window, row.text);
    ASSERT_TRUE(control.handle);
    EXPECT_EQ(control.bounds, row.bounds);
    EXPECT_TRUE(control.visible);
    EXPECT_EQ(control.enabled, row.enabled);
    EXPECT_EQ(control.default_button, row.default_button);
  }
}

// Controls without text, found by class.
Rect BoundsOfClass(HWND window, const std::string& class_name) {
  for (const driver::Control& control : driver::ControlsOf(window)) {
    if (control.class_name == class_name) return control.bounds;
  }
  return {};
}

// Labels that size themselves to their text: only their corner is fixed.
struct Corner {
  const char* text;
  int left;
  int top;
};

void ExpectCorners(HWND window, const std::vector<Corner>& corners) {
  for (const Corner& corner : corners) {
    const driver::Control text = driver::ControlByText(window, corner.text);
    ASSERT_TRUE(text.handle) << corner.text;
    EXPECT_EQ(text.bounds.left, corner.left) << corner.text;
    EXPECT_EQ(text.bounds.top, corner.top) << corner.text;
  }
}

class Layout : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(setup_.Start());
    welcome_ = driver::WaitForWindow(setup_.Id(), "TInfo");
    ASSERT_TRUE(welcome_);
  }

  SetupProcess setup_{"layout", scenario::Inf("Lage", "Probe", "1.0"), driver::kPictureColour};
  HWND welcome_ = nullptr;
};

TEST_F(Layout, WelcomePage) {
  const std::string heading = "Willkommen beim Lage Probe 1.0-Setup";
  ExpectLayout(
      welcome_, {472, 333},
      {
          {heading, {152, 16, 305, 30}},
          {"Mit diesem Programm wird Lage Probe 1.0 auf Ihrem System installiert.", {152, 48, 305, 41}},
          {"< &Zurück", {175, 304, 81, 21}, false},
          {"&Weiter >", {256, 304, 81, 21}, true, true},
          {"Abbrechen", {375, 304, 81, 21}},
      });
  EXPECT_EQ(BoundsOfClass(welcome_, "TPanel"), (Rect{16, 18, 121, 260}));
  EXPECT_EQ(BoundsOfClass(welcome_, "TImage"), (Rect{1, 1, 119, 258}));
  EXPECT_EQ(BoundsOfClass(welcome_, "TBevel"), (Rect{16, 280, 440, 15}));
  EXPECT_EQ(driver::FocusOf(welcome_), driver::ControlByText(welcome_, "&Weiter >").handle);
  EXPECT_TRUE(GetWindowLongA(welcome_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // Only a close box: no minimize or maximize.
  EXPECT_FALSE(GetWindowLongA(welcome_, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
}

TEST_F(Layout, CancelConfirmation) {
  driver::ClickButton(welcome_, "Abbrechen");
  HWND dialog = driver::WaitForWindow(setup_.Id(), "TAbbruch");
  ASSERT_TRUE(dialog);
  ExpectLayout(
      dialog, {340, 133},
      {
          {"Wenn Sie Setup jetzt abbrechen, wird Lage Probe 1.0 nicht oder unvollsändig auf Ihrem System "
           "installiert sein",
           {8, 8, 316, 41}},
          {"Wenn Sie Setup fortsetzen möchten, klicken Sie auf Fortfahren.", {8, 56, 329, 17}},
          {"Fortfahren", {163, 109, 81, 21}, true, true},
          {"Abbrechen", {251, 109, 81, 21}},
      });
  const driver::Control text3 =
      driver::ControlByText(dialog, "Um Setup zu beenden, klicken Sie auf Abbrechen.");
  EXPECT_EQ(text3.bounds.left, 8);
  EXPECT_EQ(text3.bounds.top, 80);
  EXPECT_EQ(driver::FocusOf(dialog), driver::ControlByText(dialog, "Fortfahren").handle);
}

TEST_F(Layout, AboutBox) {
  HWND backdrop = driver::FindWindowOf(setup_.Id(), "THaupt");
  driver::DoubleClick(backdrop, scenario::kBackdropFreeX, scenario::kBackdropFreeY);
  HWND about = driver::WaitForWindow(setup_.Id(), "TExtInfo");
  ASSERT_TRUE(about);
  ExpectLayout(about, {632, 225},
               {
                   {"OK", {276, 200, 81, 21}, true, true},
               });
  EXPECT_EQ(BoundsOfClass(about, "TBevel"), (Rect{8, 8, 617, 185}));
  ExpectCorners(
      about,
      {{"Produktinfos", 16, 8}, {"Warenzeichen", 16, 48}, {"Kiltwell - Enterprise, Version 4.0", 16, 112}});
  // Four notice lines at 16 pixels' distance.
  int notices = 0;
  for (const driver::Control& control : driver::ControlsOf(about)) {
    if (control.bounds.left == 16 && control.bounds.top >= 128 && control.bounds.top <= 176) {
      EXPECT_EQ(control.bounds.top, 128 + 16 * notices);
      ++notices;
    }
  }
  EXPECT_EQ(notices, 4);
}

TEST_F(Layout, DestinationPage) {
  HWND page = scenario::WalkTo(setup_, "TVerzeichnis");
  ASSERT_TRUE(page);
  ExpectLayout(
      page, {472, 333},
      {
          {"Installationsverzeichnis", {152, 16, 305, 25}},
          {"Geben Sie hier den Pfad ein, in dem Lage Probe 1.0 installiert werden soll. Es wird "
           "empfohlen, das vorgegebene Verzeichnis beizubehalten.",
           {152, 48, 305, 41}},
          {"Um mit der Installation fortzufahren, klicken Sie auf Weiter.", {152, 96, 305, 17}},
          {"Wenn Sie dieses Produkt jetzt nicht installieren wollen, brechen Sie die Installation ab, "
           "indem Sie auf Abbrechen klicken.",
           {152, 120, 305, 33}},
          {" Zielverzeichnis ", {152, 221, 304, 57}},
          // Inside the group box.
          {"C:\\Programme\\Lage Probe", {8, 21, 201, 21}},
          {"&Ändern...", {215, 21, 81, 21}},
          {"< &Zurück", {175, 304, 81, 21}},
          {"&Weiter >", {256, 304, 81, 21}, true, true},
          {"Abbrechen", {375, 304, 81, 21}},
      });
  EXPECT_EQ(driver::FocusOf(page), driver::ControlByText(page, "&Weiter >").handle);
}

TEST_F(Layout, FolderBrowser) {
  HWND page = scenario::WalkTo(setup_, "TVerzeichnis");
  ASSERT_TRUE(page);
  driver::ClickButton(page, "&Ändern...");
  HWND browser = driver::WaitForWindow(setup_.Id(), "TSelectFolder", "Zielverzeichnis wählen");
  ASSERT_TRUE(browser);
  // No default button.
  ExpectLayout(browser, {318, 260},
               {
                   {"OK", {232, 48, 81, 21}},
                   {"Abbrechen", {232, 72, 81, 21}},
                   {"Netzwerk", {232, 104, 81, 21}},
               });
  ExpectCorners(browser, {{"Wählen Sie das Zielverzeichnis für die Installation.", 8, 8}});
  EXPECT_EQ(BoundsOfClass(browser, "Edit"), (Rect{16, 40, 209, 21}));
  EXPECT_EQ(BoundsOfClass(browser, "ListBox"), (Rect{16, 64, 209, 161}));
  EXPECT_EQ(BoundsOfClass(browser, "ComboBox"), (Rect{16, 230, 209, 19}));
  HWND list = scenario::ControlOfClass(browser, "ListBox").handle;
  EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 16);
}

}  // namespace
