#pragma once

#include <string>
#include <vector>

#include "driver/driver.h"
#include "driver/registry_values.h"
#include "driver/setup_process.h"
#include "layout.h"

// Shared pieces of the scenarios.
namespace scenario {

// A Setup.inf with these product names; extra lines go into section General.
inline std::string Inf(const std::string& organisation, const std::string& product,
                       const std::string& version, const std::string& extra = {}) {
  return "[General]\r\nOrganisation=" + organisation + "\r\nProduct=" + product + "\r\nVersion=" + version +
         "\r\nEVersion=" + version + "\r\n" + extra;
}

// A point of the backdrop window that no page covers.
constexpr int kBackdropFreeX = 20;
constexpr int kBackdropFreeY = 300;

// Goes from the welcome page by Next until the page of this class is shown;
// null when it does not come.
inline HWND WalkTo(const driver::SetupProcess& setup, const std::string& page_class) {
  for (const char* page : {"TInfo", "TSysInfo", "TVerzeichnis", "TInstallation"}) {
    HWND window = driver::WaitForWindow(setup.Id(), page);
    if (!window || page == page_class) return window;
    driver::ClickButton(window, "&Weiter >");
    driver::WaitUntilHidden(window);
  }
  return nullptr;
}

// The first control of a class below a window.
inline HWND ControlOfClass(HWND window, const std::string& class_name) {
  for (const driver::Control& control : driver::ControlsOf(window)) {
    if (control.class_name == class_name) return control.handle;
  }
  return nullptr;
}

// The page picture inside the panel's bevel, up to its far corner.
inline void ExpectPicture(HWND page) {
  EXPECT_TRUE(driver::WaitFor([&] {
    return driver::AreaHasColour(page, {17, 19, 1, 1}, driver::kPictureColour);
  }));
  EXPECT_TRUE(driver::AreaHasColour(page, {16 + driver::kPictureWidth, 18 + driver::kPictureHeight, 1, 1},
                                    driver::kPictureColour));
}

// A wizard page: the frame every page shares, then the page's own controls.
// Pages with a disabled Next have no default button.
inline void ExpectPage(HWND page, const std::vector<layout::Placed>& own_controls,
                       const std::string& default_button = "&Weiter >") {
  std::vector<layout::Placed> controls = {{"", {16, 18, 121, 260}},  // picture panel
                                          {"", {1, 1, 119, 258}},    // picture, inside the panel
                                          {"", {16, 280, 440, 15}},  // separator
                                          {"< &Zurück", {175, 304, 81, 21}},
                                          {"&Weiter >", {256, 304, 81, 21}},
                                          {"Abbrechen", {375, 304, 81, 21}}};
  controls.insert(controls.end(), own_controls.begin(), own_controls.end());
  layout::ExpectLayout(page, {472, 333}, controls, default_button);
  ExpectPicture(page);
}

}  // namespace scenario
