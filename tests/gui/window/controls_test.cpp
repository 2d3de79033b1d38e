// Controls whose work goes through their form: clicks inside containers,
// timer events, the gauge's text.
#include <gtest/gtest.h>

#include "port/errors.h"
#include "ui/application.h"
#include "ui/button.h"
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

}  // namespace
