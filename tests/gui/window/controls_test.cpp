// Controls whose work goes through their form: clicks inside containers,
// timer events, the gauge's text.
#include <gtest/gtest.h>

#include <algorithm>

#include "port/errors.h"
#include "ui/application.h"
#include "ui/button.h"
#include "ui/directory_list.h"
#include "ui/drive_combo_box.h"
#include "ui/form.h"
#include "ui/gauge.h"
#include "ui/group_box.h"
#include "ui/panel.h"
#include "ui/timer.h"
#include "window/script.h"

namespace {

class ControlForm : public ui::Form {
 public:
  ControlForm()
      : ui::Form({.class_name = "TTestControls", .client_width = 300, .client_height = 200}),
        group(*this, {8, 8, 140, 60}, " Gruppe "),
        in_group(group, {8, 21, 81, 21}, "&Ändern..."),
        panel(*this, {152, 8, 140, 60}),
        in_panel(panel, {8, 21, 81, 21}, "Im Feld"),
        gauge(*this, {8, 80, 284, 21}),
        timer(*this, 10) {}

  ui::GroupBox group;
  ui::Button in_group;
  ui::Panel panel;
  ui::Button in_panel;
  ui::Gauge gauge;
  ui::Timer timer;
};

class Controls : public testing::Test {
 protected:
  ui::Application app_{GetModuleHandleA(nullptr)};
  ControlForm form_;
  Script script_;
};

TEST_F(Controls, ButtonsInsideContainersReachTheirHandlers) {
  std::vector<std::string> clicks;
  form_.in_group.OnClick([&] { clicks.push_back("group"); });
  form_.in_panel.OnClick([&] {
    clicks.push_back("panel");
    form_.SetModalResult(ui::ModalResult::kOk);
  });
  script_.When("TTestControls", [](HWND form) {
    driver::ClickButton(form, "&Ändern...");
    driver::ClickButton(form, "Im Feld");
  });
  EXPECT_EQ(form_.ShowModal(), ui::ModalResult::kOk);
  EXPECT_EQ(clicks, (std::vector<std::string>{"group", "panel"}));
}

TEST_F(Controls, TimerEventsRunInTheLoopAndTheirErrorsAreShown) {
  int events = 0;
  form_.timer.OnTimer([&] {
    form_.timer.SetEnabled(false);
    ++events;
    throw stp::Error("Der Setup-Datensatz kann nicht gelesen werden");
  });
  script_.AnswerMessageBoxes();
  form_.Show();
  form_.timer.SetEnabled(true);
  EXPECT_TRUE(driver::WaitFor([&] { return script_.MessageBoxes().size() == 1; }));
  driver::WaitFor([] { return false; }, 100);  // room for a wrong second event
  EXPECT_EQ(events, 1);
  EXPECT_EQ(script_.MessageBoxes()[0].text, "Der Setup-Datensatz kann nicht gelesen werden.");
}

TEST_F(Controls, GaugeShowsWholePercentsUpToItsMaximum) {
  EXPECT_EQ(driver::TextOf(form_.gauge.Handle()), "0%");
  form_.gauge.SetMaxValue(300);
  form_.gauge.AddProgress(100);
  EXPECT_EQ(driver::TextOf(form_.gauge.Handle()), "33%");
  form_.gauge.AddProgress(1000);
  EXPECT_EQ(form_.gauge.Progress(), 300);
  EXPECT_EQ(driver::TextOf(form_.gauge.Handle()), "100%");
}

class BrowserForm : public ui::Form {
 public:
  BrowserForm()
      : ui::Form({.class_name = "TTestBrowser", .client_width = 300, .client_height = 240}),
        list(*this, {8, 8, 209, 161}),
        drives(*this, {8, 180, 209, 19}) {}

  ui::DirectoryList list;
  ui::DriveComboBox drives;
};

// Whether a control shows anything but its empty background in an area.
bool Draws(HWND control, const driver::Rect& area) {
  POINT corner{area.left, area.top};
  ClientToScreen(control, &corner);
  const auto pixels =
      driver::CaptureScreen({corner.x, corner.y, corner.x + area.width, corner.y + area.height});
  const COLORREF empty = GetSysColor(COLOR_WINDOW);
  return std::any_of(pixels.begin(), pixels.end(), [empty](COLORREF pixel) { return pixel != empty; });
}

TEST(FolderControls, ListAndDriveSelectorDrawTheirRows) {
  ui::Application app{GetModuleHandleA(nullptr)};
  BrowserForm form;
  form.list.SetDirectory("C:\\windows\\system32\\..");
  EXPECT_EQ(form.list.Directory(), "C:\\windows");
  EXPECT_EQ(form.list.Drive(), 'C');
  form.drives.SetDrive('c');
  EXPECT_EQ(form.drives.Drive(), 'C');
  form.Show();
  EXPECT_TRUE(driver::WaitFor([&] { return Draws(form.list.Handle(), {0, 0, 100, 32}); }));
  EXPECT_TRUE(driver::WaitFor([&] { return Draws(form.drives.Handle(), {4, 4, 100, 10}); }));

  // A drive that cannot be read (here: one that is not there) shows its root alone, at once.
  form.list.SetDrive('Q');
  EXPECT_EQ(form.list.Directory(), "Q:\\");
  EXPECT_EQ(SendMessageA(form.list.Handle(), LB_GETCOUNT, 0, 0), 1);
  // Back on C:, the list returns to the directory it showed there.
  form.list.SetDrive('C');
  EXPECT_EQ(form.list.Directory(), "C:\\windows");
}

}  // namespace
