// The installation page as the run's host, driven inside the test's own
// process: the diskette prompt and the gauge's repaints.
#include <gtest/gtest.h>

#include <memory>

#include "layout.h"
#include "ui/gauge.h"
#include "window/program.h"
#include "window/script.h"

namespace {

// The prompt has both buttons even after the Windows NT check left the
// error dialog with one; only its OK counts as a yes. The showings follow
// one another on the same dialog, so each must start without the flag of
// the one before.
TEST(InstallationPage, DiskettePromptAsksWithBothButtons) {
  const struct {
    const char* name;
    std::vector<std::pair<const char*, const char*>> clicks;  // window class, button (none: close box)
    bool answer;
    bool program_ends;
  } cases[] = {
      {"ok", {{"TFehler", "OK"}}, true, false},
      {"close-box", {{"TFehler", nullptr}}, false, false},
      {"continue-then-ok",
       {{"TFehler", "Abbrechen"}, {"TAbbruch", "Fortfahren"}, {"TFehler", "OK"}},
       true,
       false},
      // Both modal loops end on the quit request.
      {"confirmed-cancel", {{"TFehler", "Abbrechen"}, {"TAbbruch", "Abbrechen"}}, false, true},
  };
  Program program;
  program.fehler->UseSingleButton();
  stp::InstallationHost& host = *program.installation;
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    Script script;
    script.When("TFehler", [](HWND prompt) {
      EXPECT_EQ(driver::TextOf(prompt), "Diskette wechseln");
      layout::ExpectLayout(
          prompt, {419, 128},
          {{"Legen Sie die Installationsdiskette 3 in das Laufwerk A:\\ ein.", {16, 16, 385, 73}},
           {"OK", {125, 104, 81, 21}},
           {"Abbrechen", {213, 104, 81, 21}}},
          "OK");
    });
    for (const auto& [window_class, button] : row.clicks) {
      script.When(window_class, [button](HWND window) {
        if (button) {
          driver::ClickButton(window, button);
        } else {
          driver::RequestClose(window);
        }
      });
    }
    EXPECT_EQ(host.AskForDisk(3, "A:\\"), row.answer);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(program.state.CancelConfirmed(), row.program_ends);
    EXPECT_EQ(program.app.Terminated(), row.program_ends);
  }
  // After the quit request no window opens, and the answer is no.
  EXPECT_FALSE(host.AskForDisk(3, "A:\\"));
  program.fehler->Show();
  EXPECT_FALSE(program.fehler->Visible());
  EXPECT_FALSE(program.abbruch->Visible());
}

// The gauge shows its figure as "N%", stops at its maximum and asks for a
// repaint only when the figure or the bar's end moves: the installation
// advances it once per decoded block.
TEST(InstallationPage, GaugeRepaintsOnlyWhenItsPictureChanges) {
  ui::Application app(GetModuleHandleA(nullptr));
  ui::Form form({.class_name = "TGaugeProbe", .client_width = 320, .client_height = 40});
  ui::Gauge gauge(form, {10, 10, 300, 20});
  form.Show();
  gauge.SetMaxValue(3'000'000'000);
  const struct {
    std::int64_t advance;
    const char* text;
    bool repaint;
  } steps[] = {
      {1, "0%", false},          // far below one pixel of the bar
      {10'000'000, "0%", true},  // the bar's first pixel
      {20'000'000, "1%", true},  // the figure
      {1'000, "1%", false},       {2'970'000'000, "100%", true},
      {1'000'000, "100%", false},  // stops at the maximum
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.advance);
    UpdateWindow(gauge.Handle());
    gauge.AddProgress(step.advance);
    EXPECT_EQ(driver::TextOf(gauge.Handle()), step.text);
    EXPECT_EQ(GetUpdateRect(gauge.Handle(), nullptr, FALSE) != FALSE, step.repaint);
  }
}

}  // namespace
