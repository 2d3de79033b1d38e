#pragma once

#include "setup/setup_state.h"
#include "system/restart.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"

// The finish dialog, shown modally at the end of a successful installation:
// with a restart offer when the configuration asks for one, otherwise with
// "Beenden" alone. Its buttons end the program; its close box only ends the
// modal display.
class TEnde : public ui::Form {
 public:
  explicit TEnde(stp::SetupState& state);

  // Chooses the form of the dialog and composes its texts.
  void FormCreate() override;
  // The system's restart request, ExitWindowsEx unless replaced.
  void SetExitWindows(ExitWindowsFunction exit_windows) { exit_windows_ = exit_windows; }

 protected:
  // From now on nothing asks for cancel confirmation any more.
  void FormShow() override;

 private:
  void Button1Click();
  void Button2Click();

  stp::SetupState& state_;
  ui::Label Label1;
  ui::Label Label2;
  ui::Button Button1;
  ui::Button Button2;
  ExitWindowsFunction exit_windows_ = ExitWindowsEx;
};
