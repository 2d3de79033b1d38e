#pragma once

#include <string>

#include "driver/driver.h"
#include "driver/setup_process.h"

// Shared pieces of the scenarios.
namespace scenario {

// A Setup.inf with these product names; extra lines go into section General.
inline std::string Inf(const std::string& organisation, const std::string& product,
                       const std::string& version, const std::string& extra = {}) {
  return "[General]\r\nOrganisation=" + organisation + "\r\nProduct=" + product + "\r\nVersion=" + version +
         "\r\nEVersion=" + version + "\r\n" + extra;
}

// A destination that exists in every prefix, so that Next on the destination
// page goes on without a question.
inline const std::string kExistingDestination = "DefDirectory=C:\\windows\r\n";

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
inline driver::Control ControlOfClass(HWND window, const std::string& class_name) {
  for (const driver::Control& control : driver::ControlsOf(window)) {
    if (control.class_name == class_name) return control;
  }
  return {};
}

// The control whose top left corner lies at this place.
inline driver::Control ControlAt(HWND window, int left, int top) {
  for (const driver::Control& control : driver::ControlsOf(window)) {
    if (control.bounds.left == left && control.bounds.top == top) return control;
  }
  return {};
}

}  // namespace scenario
