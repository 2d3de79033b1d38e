#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "driver/driver.h"

namespace driver {
// Readable failure messages.
inline void PrintTo(const Rect& rect, std::ostream* out) {
  *out << "{" << rect.left << ", " << rect.top << ", " << rect.width << ", " << rect.height << "}";
}
}  // namespace driver

// One grouped check of a window as the user sees it, for the scenarios and
// the in-process tests alike.
namespace layout {

// A visible control: its exact text (any text when none is given) and its
// bounds. A zero size stands for a label that sizes itself to its text, of
// which only the corner is fixed.
struct Placed {
  std::optional<std::string> text;
  driver::Rect bounds;
};
inline constexpr std::nullopt_t kAnyText = std::nullopt;

inline void ExpectCentred(HWND window) {
  RECT frame;
  GetWindowRect(window, &frame);
  EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

// The window's client size; centred on the screen, above the stay-on-top
// pages and without minimize and maximize boxes; its visible controls in
// creation order; and the default button, which has the focus (none when
// default_button is empty).
inline void ExpectLayout(HWND window, SIZE client, const std::vector<Placed>& expected,
                         const std::string& default_button) {
  RECT area;
  GetClientRect(window, &area);
  EXPECT_EQ(area.right, client.cx);
  EXPECT_EQ(area.bottom, client.cy);
  ExpectCentred(window);
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

  std::vector<driver::Control> shown;
  for (const driver::Control& control : driver::ControlsOf(window)) {
    if (control.visible) shown.push_back(control);
  }
  ASSERT_EQ(shown.size(), expected.size());
  std::string defaults;  // the captions of every default button, run together
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const driver::Control& control = shown[i];
    SCOPED_TRACE(std::to_string(i) + ": " + control.text);
    EXPECT_EQ(control.text, expected[i].text.value_or(control.text));
    driver::Rect bounds = expected[i].bounds;
    if (bounds.width == 0 && bounds.height == 0) {
      bounds.width = control.bounds.width;
      bounds.height = control.bounds.height;
    }
    EXPECT_EQ(control.bounds, bounds);
    if (control.default_button) {
      defaults += control.text;
      EXPECT_EQ(driver::FocusOf(window), control.handle);
    }
  }
  EXPECT_EQ(defaults, default_button);
}

}  // namespace layout
