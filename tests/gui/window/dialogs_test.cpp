// The error dialog's OK flag and the cancel confirmation's flag, driven
// inside the test's own process.
#include <gtest/gtest.h>

#include "pages/Abbrechen.h"
#include "pages/UError.h"
#include "setup/Setup32.h"
#include "setup/forms.h"
#include "ui/application.h"
#include "window/script.h"

namespace {

class Dialogs : public testing::Test {
 protected:
  Dialogs() {
    haupt_ = app_.CreateForm(Forms().haupt);
    app_.SetMainForm(*haupt_);
    abbruch_ = app_.CreateForm(Forms().abbruch);
    fehler_ = app_.CreateForm(Forms().fehler);
  }
  ~Dialogs() override { Forms() = {}; }

  ui::Application app_{GetModuleHandleA(nullptr)};
  std::unique_ptr<THaupt> haupt_;
  std::unique_ptr<TAbbruch> abbruch_;
  std::unique_ptr<TFehler> fehler_;
  Script script_;
};

TEST_F(Dialogs, ErrorDialogOkFlagTellsHowItWasLeft) {
  fehler_->SetCaption("Diskette wechseln");
  fehler_->SetMessage("Bitte legen Sie Diskette 2 ein.");
  script_.When("TFehler", [](HWND dialog) { driver::ClickButton(dialog, "OK"); });
  fehler_->ShowModal();
  EXPECT_TRUE(fehler_->OkFlag());

  // Shown again, the flag starts at 0; after "Fortfahren" in the cancel
  // confirmation it is 0 again, and OK sets it.
  bool flag_when_shown = true;
  bool flag_after_continue = true;
  script_
      .When("TFehler",
            [&](HWND dialog) {
              flag_when_shown = fehler_->OkFlag();
              driver::ClickButton(dialog, "Abbrechen");
            })
      .When("TAbbruch", [](HWND dialog) { driver::ClickButton(dialog, "Fortfahren"); })
      .When("TFehler", [&](HWND dialog) {
        flag_after_continue = fehler_->OkFlag();
        driver::ClickButton(dialog, "OK");
      });
  fehler_->ShowModal();
  EXPECT_TRUE(script_.Finished());
  EXPECT_FALSE(flag_when_shown);
  EXPECT_FALSE(flag_after_continue);
  EXPECT_TRUE(fehler_->OkFlag());
  EXPECT_FALSE(abbruch_->CancelConfirmed());

  script_.When("TFehler", [](HWND dialog) { driver::RequestClose(dialog); });
  fehler_->ShowModal();
  EXPECT_FALSE(fehler_->OkFlag());
  EXPECT_FALSE(app_.Terminated());
}

TEST_F(Dialogs, ErrorDialogLayoutsWithTwoButtonsAndWithOne) {
  EXPECT_EQ(fehler_->Caption(), "Setup Fehler");
  const SIZE client = driver::ClientSize(fehler_->Handle());
  EXPECT_EQ(client.cx, 419);
  EXPECT_EQ(client.cy, 128);
  const driver::Control ok = driver::ControlByText(fehler_->Handle(), "OK");
  const driver::Control cancel = driver::ControlByText(fehler_->Handle(), "Abbrechen");
  EXPECT_EQ(ok.bounds, (driver::Rect{125, 104, 81, 21}));
  EXPECT_TRUE(ok.default_button);
  EXPECT_EQ(cancel.bounds, (driver::Rect{213, 104, 81, 21}));
  EXPECT_TRUE(cancel.visible);
  fehler_->SetMessage("Das zu installierende Programm benötigt Windows NT.");
  EXPECT_EQ(
      driver::ControlByText(fehler_->Handle(), "Das zu installierende Programm benötigt Windows NT.").bounds,
      (driver::Rect{16, 16, 385, 73}));

  fehler_->UseSingleButton();
  EXPECT_EQ(driver::ControlByText(fehler_->Handle(), "OK").bounds, (driver::Rect{169, 104, 81, 21}));
  EXPECT_FALSE(driver::ControlByText(fehler_->Handle(), "Abbrechen").visible);
}

TEST_F(Dialogs, ConfirmedCancelEndsTheProgramAndLeavesTheOkFlagAtZero) {
  script_.When("TFehler", [](HWND dialog) { driver::ClickButton(dialog, "Abbrechen"); })
      .When("TAbbruch", [](HWND dialog) { driver::ClickButton(dialog, "Abbrechen"); });
  fehler_->ShowModal();
  EXPECT_TRUE(abbruch_->CancelConfirmed());
  EXPECT_TRUE(app_.Terminated());
  EXPECT_FALSE(fehler_->OkFlag());
  EXPECT_FALSE(fehler_->Visible());
}

TEST_F(Dialogs, CancelConfirmationClosesItselfOnceTheRunHasFinished) {
  haupt_->SetFinished();
  bool shown = false;
  script_.When("TAbbruch", [&](HWND) { shown = true; });
  abbruch_->ShowModal();
  // Give a wrongly shown dialog the time to be seen.
  driver::WaitFor([&] { return shown; }, 500);
  EXPECT_FALSE(shown);
  EXPECT_FALSE(abbruch_->CancelConfirmed());
  EXPECT_FALSE(app_.Terminated());
}

}  // namespace
