#include "engine/Fortschritt.h"

#include "engine/installation_messages.h"
#include "engine/logged_installation.h"
#include "engine/progress_labels.h"
#include "pages/Beenden.h"
#include "pages/UError.h"
#include "setup/forms.h"
#include "setup/profile.h"
#include "ui/application.h"
#include "ui/message_dialog.h"

namespace {

constexpr UINT kTimerDelayMs = 500;
// Letting messages through costs a call to the window system even when none
// are waiting (under Wine a round trip to its server), and painting the
// labels and the gauge costs about a millisecond; a block or a small file
// takes far less. The page therefore refreshes at most 25 times a second
// while it installs: smooth to the eye, and a click waits 40 ms at most.
constexpr DWORD kRefreshIntervalMs = 40;

}  // namespace

TInstallation::TInstallation(stp::SetupState& state)
    : WizardPage(state, "TInstallation", "Installationsfortschritt"),
      Panel1(*this, {kTextLeft, 160, kTextWidth, 121}, "Setup aktualisiert Ihr System..."),
      Label1(*this, {kTextLeft, 16, 169, 17}, "Die Installation läuft. "),
      Label6(*this, {kTextLeft, 206, 313, 13}),
      Label3(*this, {kTextLeft, 230, kTextWidth, 19}),
      gauge_panel_(*this, {kTextLeft, 256, 304, 21}),
      Gauge1(gauge_panel_, {1, 1, 302, 19}),
      Timer1(*this, kTimerDelayMs),
      registry_traces_(state.Report()) {
  Panel1.SetVisible(false);
  Label1.SetFontStyle({.bold = true});
  gauge_panel_.SetBevels(ui::BevelCut::kLowered, ui::BevelCut::kNone);
  Timer1.OnTimer([this] { Timer1Timer(); });
  Button1.SetEnabled(false);
  Button3.SetEnabled(false);
  // A disabled Next is no default button; Enter presses the focused one.
  SetDefaultButton(nullptr);
  SetActiveControl(&Button2);
}

void TInstallation::FormShow() {
  tables_ = stp::LoadInstallationTables(stp::ProfileFile::Load(state_.SourceDirectory() + "Setup.inf"));
  Gauge1.SetMaxValue(tables_.Bytes);
  Timer1.SetEnabled(true);
}

void TInstallation::Timer1Timer() {
  Timer1.SetEnabled(false);
  Repaint();
  const stp::InstallationResult result = stp::RunLoggedInstallation(
      state_, tables_, *this, {profile_writer_, registry_traces_, shortcuts_, folders_}, state_.Report());
  state_.SetOutcome(result.outcome);
  if (result.error) {
    // The page stays, showing the file the error came with.
    ShowCurrentTarget();
    std::rethrow_exception(result.error);
  }
}

void TInstallation::ProcessMessages() {
  const DWORD now = GetTickCount();
  if (now - last_refresh_ < kRefreshIntervalMs) return;
  last_refresh_ = now;
  ShowCurrentTarget();
  ui::App().ProcessMessages();
}

bool TInstallation::CancelConfirmed() { return state_.CancelConfirmed(); }

bool TInstallation::AskForDisk(int number, const std::string& source_directory) {
  ShowCurrentTarget();
  TFehler& fehler = *Forms().fehler;
  fehler.SetCaption(stp::kDiskPromptCaption);
  fehler.SetMessage(stp::DiskPromptText(number, source_directory));
  // The Windows NT check leaves the dialog with one button; here the user
  // must be able to give up.
  fehler.UseTwoButtons();
  fehler.ShowModal();
  // Once the end has been requested, no dialog opens, and its flag is old.
  return !ui::App().Terminated() && fehler.OkFlag();
}

void TInstallation::Advance(std::uint32_t bytes) { Gauge1.AddProgress(bytes); }

void TInstallation::ShowTarget(const std::string& target, int disk_number) {
  current_target_ = target;
  current_disk_ = disk_number;
  target_shown_ = false;
}

void TInstallation::ShowCurrentTarget() {
  if (target_shown_) return;
  target_shown_ = true;
  Label3.SetCaption(stp::ZeigAn(current_target_));
  const std::string disk = stp::DiskCaption(current_disk_);
  if (disk != Label6.Caption()) Label6.SetCaption(disk);
  // Only the labels changed: painting the whole page anew would flicker.
  UpdateNow();
}

void TInstallation::ReportErrorNumber(int error) {
  ShowCurrentTarget();
  ui::MessageDlg(std::to_string(error), ui::MsgDlgType::kError, {ui::MsgDlgButton::kOk});
}

void TInstallation::ShowSystemUpdate() {
  ShowCurrentTarget();
  Panel1.SetVisible(true);
  Panel1.Repaint();
}

void TInstallation::ReportNoSetupData() {
  ui::MessageDlg(stp::kNoSetupDataMessage, ui::MsgDlgType::kError, {ui::MsgDlgButton::kOk});
  ui::App().Terminate();
}

void TInstallation::ShowFinishDialog() { Forms().ende->ShowModal(); }
