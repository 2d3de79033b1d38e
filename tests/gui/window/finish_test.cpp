// The finish dialog, driven inside the test's own process: its two forms, the
// end of the program, and the restart sequence with the system's answers
// played by the test, since a real restart request ends every program of
// the Wine session.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pages/Beenden.h"
#include "setup/Setup32.h"
#include "setup/forms.h"
#include "ui/application.h"
#include "window/script.h"

namespace {

// The answers the system gives to restart requests, and the requests made.
std::vector<UINT> requests;
std::vector<BOOL> answers;

BOOL WINAPI FakeExitWindows(UINT flags, DWORD) {
  requests.push_back(flags);
  const BOOL answer = answers.empty() ? FALSE : answers.front();
  if (!answers.empty()) answers.erase(answers.begin());
  return answer;
}

// The backdrop window, configured for the product Ruvuv Edider 2.0, and the
// finish dialog made for it, with the system's answers played by the test.
class FinishDialog {
 public:
  // reboot_system: the Setup.inf value; none when the key is missing.
  explicit FinishDialog(const std::optional<std::string>& reboot_system) {
    requests.clear();
    answers.clear();
    haupt = app.CreateForm(Forms().haupt);
    app.SetMainForm(*haupt);
    stp::SetupConfiguration config;
    config.Organisation = "Ruvuv";
    config.Product = "Edider";
    config.Version = "2.0";
    if (reboot_system) config.RebootSystem = *reboot_system;
    haupt->Configure(config);
    ende = app.CreateForm(Forms().ende);
    ende->SetExitWindows(FakeExitWindows);
  }
  ~FinishDialog() { Forms() = {}; }

  ui::Application app{GetModuleHandleA(nullptr)};
  std::unique_ptr<THaupt> haupt;
  std::unique_ptr<TEnde> ende;
};

struct FormCase {
  const char* name;
  std::optional<std::string> reboot_system;
  bool restart;
};

TEST(Finish, OffersARestartOnlyForExactlyOne) {
  const FormCase cases[] = {
      {"absent", std::nullopt, true},
      {"one", "1", true},
      {"zero", "0", false},
      {"empty", "", false},
  };
  for (const FormCase& row : cases) {
    SCOPED_TRACE(row.name);
    FinishDialog finish(row.reboot_system);
    HWND dialog = finish.ende->Handle();
    const SIZE client = driver::ClientSize(dialog);
    EXPECT_EQ(client.cx, 382);
    EXPECT_EQ(client.cy, 145);
    EXPECT_EQ(driver::TextOf(dialog), "Setup abschließen");
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const auto controls = driver::ControlsOf(dialog);
    ASSERT_EQ(controls.size(), 4u);
    const driver::Control& label1 = controls[0];
    const driver::Control& label2 = controls[1];
    const driver::Control& restart = controls[2];
    const driver::Control& end = controls[3];
    EXPECT_EQ(label1.bounds, (driver::Rect{16, 8, 346, 37}));
    EXPECT_EQ(label2.bounds, (driver::Rect{16, 64, 362, 41}));
    EXPECT_EQ(restart.visible, row.restart);
    if (row.restart) {
      EXPECT_EQ(
          label1.text,
          "Ihr Computer muß neu gestartet werden, um Ruvuv Edider 2.0-Setup erfolgreich auf Ihrem Computer "
          "zu installieren.");
      EXPECT_EQ(
          label2.text,
          "Klicken Sie auf Neustart, um Ihren Computer neu zu starten. Wenn Sie Ihren Computer nicht neu "
          "starten wollen, klicken Sie auf Abbrechen. Setup kann in diesem Fall das Produkt nicht korrekt "
          "installieren.");
      EXPECT_EQ(restart.text, "Neustart");
      EXPECT_EQ(restart.bounds, (driver::Rect{153, 120, 81, 21}));
      EXPECT_TRUE(restart.default_button);
      EXPECT_EQ(end.text, "Abbrechen");
      EXPECT_EQ(end.bounds, (driver::Rect{247, 120, 81, 21}));
      EXPECT_FALSE(end.default_button);
    } else {
      EXPECT_EQ(label1.text, "Ruvuv Edider 2.0-Setup wurde erfolgreich installiert.");
      EXPECT_EQ(label2.text, "Klicken Sie auf Beenden, um Setup abzuschließen");
      EXPECT_EQ(end.text, "Beenden");
      EXPECT_EQ(end.bounds, (driver::Rect{151, 120, 81, 21}));
      EXPECT_TRUE(end.default_button);
    }
  }
}

struct WayOutCase {
  const char* name;
  const char* reboot_system;
  std::vector<BOOL> system_answers;
  // The button to click; none for the close box.
  const char* button;
  bool program_ends;
  std::vector<UINT> requests;
  bool refusal_reported;
};

// Every button ends the program, only "Neustart" asks the system, first for a
// restart, then for a log-off; the close box gives control back to the caller.
TEST(Finish, EveryButtonEndsTheProgramAndOnlyNeustartAsksTheSystem) {
  constexpr UINT kRestart = EWX_REBOOT | EWX_FORCE;
  constexpr UINT kLogOff = EWX_FORCE;
  const WayOutCase cases[] = {
      {"abbrechen", "1", {}, "Abbrechen", true, {}, false},
      {"beenden", "0", {}, "Beenden", true, {}, false},
      {"close-box", "1", {}, nullptr, false, {}, false},
      {"restart-granted", "1", {TRUE}, "Neustart", true, {kRestart}, false},
      {"log-off-granted", "1", {FALSE, TRUE}, "Neustart", true, {kRestart, kLogOff}, false},
      {"both-refused", "1", {FALSE, FALSE}, "Neustart", true, {kRestart, kLogOff}, true},
  };
  for (const WayOutCase& row : cases) {
    SCOPED_TRACE(row.name);
    FinishDialog finish(row.reboot_system);
    answers = row.system_answers;
    Script script;
    script.AnswerMessageBoxes();
    script.When("TEnde", [&](HWND dialog) {
      if (row.button) {
        driver::ClickButton(dialog, row.button);
      } else {
        driver::RequestClose(dialog);
      }
    });
    finish.ende->ShowModal();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(finish.haupt->GetRunState(), RunState::kFinished);
    EXPECT_EQ(finish.app.Terminated(), row.program_ends);
    EXPECT_FALSE(finish.ende->Visible());
    EXPECT_EQ(requests, row.requests);
    ASSERT_EQ(script.MessageBoxes().size(), row.refusal_reported ? 1u : 0u);
    if (row.refusal_reported) {
      EXPECT_EQ(script.MessageBoxes()[0].caption, "Information");
      EXPECT_EQ(script.MessageBoxes()[0].text,
                "Der Neustart wurde verweigert. Bitte starten Sie den Computer manuell neu.");
      EXPECT_EQ(script.MessageBoxes()[0].buttons, std::vector<std::string>{"OK"});
    }
  }
}

}  // namespace
