// The finish dialog, driven inside the test's own process, where the
// system's answers to a restart request can be played: a real one ends
// every program of the Wine session.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "layout.h"
#include "window/program.h"
#include "window/script.h"

namespace {

// The answers the system gives to restart requests, and the requests made.
std::vector<UINT> requests;
std::vector<BOOL> answers;

BOOL WINAPI FakeExitWindows(UINT flags, DWORD) {
  requests.push_back(flags);
  if (answers.empty()) return FALSE;
  const BOOL answer = answers.front();
  answers.erase(answers.begin());
  return answer;
}

constexpr UINT kRestart = EWX_REBOOT | EWX_FORCE;
constexpr UINT kLogOff = EWX_FORCE;

const std::vector<layout::Placed> kRestartForm = {
    {"Ihr Computer muß neu gestartet werden, um Ruvuv Edider 2.0-Setup erfolgreich auf Ihrem Computer zu "
     "installieren.",
     {16, 8, 346, 37}},
    {layout::kAnyText, {16, 64, 362, 41}},
    {"Neustart", {153, 120, 81, 21}},
    {"Abbrechen", {247, 120, 81, 21}}};
const std::vector<layout::Placed> kPlainForm = {
    {"Ruvuv Edider 2.0-Setup wurde erfolgreich installiert.", {16, 8, 346, 37}},
    {"Klicken Sie auf Beenden, um Setup abzuschließen", {16, 64, 362, 41}},
    {"Beenden", {151, 120, 81, 21}}};

struct FinishCase {
  const char* name;
  const char* setting;  // in Setup.inf
  bool restart_form;
  std::vector<BOOL> system_answers;
  const char* button;  // none for the close box
  std::vector<UINT> requests;
  std::vector<std::string> messages;
};

// Only exactly "1", also by default, offers a restart. Every button ends the
// program, only "Neustart" asks the system, first for a restart, then for a
// log-off; the close box gives control back to the caller.
TEST(Dialogs, FinishDialogFormsAndWaysOut) {
  const std::vector<std::string> refusal = {
      "Information: Der Neustart wurde verweigert. Bitte starten Sie den Computer manuell neu."};
  const FinishCase cases[] = {
      {"absent-restart-granted", "", true, {TRUE}, "Neustart", {kRestart}, {}},
      {"log-off-granted", "RebootSystem=1", true, {FALSE, TRUE}, "Neustart", {kRestart, kLogOff}, {}},
      {"both-refused", "RebootSystem=1", true, {FALSE, FALSE}, "Neustart", {kRestart, kLogOff}, refusal},
      {"abbrechen", "RebootSystem=1", true, {}, "Abbrechen", {}, {}},
      {"restart-close-box", "RebootSystem=1", true, {}, nullptr, {}, {}},
      {"beenden", "RebootSystem=0", false, {}, "Beenden", {}, {}},
  };
  for (const FinishCase& row : cases) {
    SCOPED_TRACE(row.name);
    requests.clear();
    answers = row.system_answers;
    Program program(row.setting + std::string("\r\n"));
    program.ende->SetExitWindows(FakeExitWindows);
    Script script;
    script.AnswerMessageBoxes();
    script.When("TEnde", [&](HWND dialog) {
      layout::ExpectLayout(dialog, {382, 145}, row.restart_form ? kRestartForm : kPlainForm,
                           row.restart_form ? "Neustart" : "Beenden");
      if (row.button) {
        driver::ClickButton(dialog, row.button);
      } else {
        driver::RequestClose(dialog);
      }
    });
    program.ende->ShowModal();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(program.app.Terminated(), row.button != nullptr);
    EXPECT_EQ(requests, row.requests);
    EXPECT_EQ(script.Messages(), row.messages);

    // The run has finished: the cancel confirmation closes itself at once.
    Script confirmation;
    confirmation.When("TAbbruch", [](HWND window) { driver::ClickButton(window, "Fortfahren"); });
    program.abbruch->ShowModal();
    EXPECT_FALSE(confirmation.Finished());
    EXPECT_FALSE(program.state.CancelConfirmed());
  }
}

}  // namespace
