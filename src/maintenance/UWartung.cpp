#include "maintenance/UWartung.h"

#include "maintenance/removal_run.h"
#include "port/directory_path.h"
#include "system/registry.h"
#include "ui/application.h"
#include "ui/message_dialog.h"

namespace {

constexpr int kLeft = 144;
constexpr int kWidth = 312;
constexpr int kButtonWidth = 129;
constexpr int kButtonHeight = 25;
constexpr int kTextBesideLeft = kLeft + kButtonWidth + 8;
constexpr int kTextBesideWidth = kLeft + kWidth - kTextBesideLeft;
constexpr int kFirstButtonTop = 104;
constexpr int kButtonStep = 40;
constexpr int kProgressTop = 240;

ui::Bounds ButtonBounds(int row) {
  return {kLeft, kFirstButtonTop + row * kButtonStep, kButtonWidth, kButtonHeight};
}

ui::Bounds TextBeside(int row) {
  return {kTextBesideLeft, kFirstButtonTop + row * kButtonStep, kTextBesideWidth, kButtonHeight};
}

// The text beside a button, as high as its lines and centred on the button.
void PlaceBeside(ui::Label& label, int row) {
  label.SetAutoSize(true);
  const int height = label.GetBounds().height;
  label.SetPosition(kTextBesideLeft, kFirstButtonTop + row * kButtonStep + (kButtonHeight - height) / 2);
}

}  // namespace

TWartung::TWartung(stp::SetupState& state)
    : WizardPage(state, "TWartung", "Wartungsprogramm"),
      heading_panel_(*this, {kLeft, 16, kWidth, 73}),
      heading_(heading_panel_, {8, 8, kWidth - 16, 28}),
      introduction_(heading_panel_, {8, 40, kWidth - 16, 26},
                    "Mit diesem Programm können Sie Änderungen an einer bestehenden Installation vornehmen."),
      reinstall_button_(*this, ButtonBounds(0), "Neuinstallation"),
      reinstall_text_(*this, TextBeside(0), "Wiederholt die letzte Installation."),
      change_button_(*this, ButtonBounds(1), "Hinzufügen/Entfernen"),
      change_text_(*this, TextBeside(1), "Fügt neue Komponenten hinzu oder entfernt diese."),
      remove_button_(*this, ButtonBounds(2), "Alle Entfernen"),
      remove_text_(*this, TextBeside(2)),
      progress_panel_(*this, {kLeft, kProgressTop, kWidth, 23}),
      gauge_(progress_panel_, {1, 1, kWidth - 2, 21}) {
  heading_.SetFontStyle({.bold = true});
  for (ui::Label* label : {&heading_, &introduction_, &reinstall_text_, &change_text_, &remove_text_}) {
    label->SetWordWrap(true);
  }
  change_button_.SetEnabled(false);
  reinstall_button_.OnClick([this] { ReinstallClick(); });
  remove_button_.OnClick([this] { RemoveAll(); });
  progress_panel_.SetBevels(ui::BevelCut::kLowered, ui::BevelCut::kNone);
  progress_panel_.SetVisible(false);
  Button1.SetEnabled(false);
  Button3.SetEnabled(false);
  // A disabled Next is no default button; Enter presses the focused one.
  SetDefaultButton(nullptr);
  SetActiveControl(&Button2);
}

void TWartung::FormCreate() {
  heading_.SetCaption("Willkommen beim Wartungsprogramm für die Installation von " + state_.ProductTitle() +
                      ".");
  remove_text_.SetCaption("Entfernt " + state_.ProductTitle() + " von Ihrem System.");
  int row = 0;
  for (ui::Label* label : {&reinstall_text_, &change_text_, &remove_text_}) PlaceBeside(*label, row++);
}

void TWartung::ReinstallClick() {
  const std::string recorded =
      ReadRegString(HKEY_LOCAL_MACHINE, stp::ProductKey(state_.Config()), "Ort", state_.Report());
  // Every target is appended to the destination: a relative one would
  // install wherever Setup happened to be started.
  const std::string destination = stp::WithTrailingBackslash(recorded);
  if (!stp::IsFullPath(destination)) {
    ui::MessageDlg("Das Installationsverzeichnis \"" + recorded +
                       "\" ist kein vollständiger Pfad. Die Installation kann nicht wiederholt werden.",
                   ui::MsgDlgType::kError, {ui::MsgDlgButton::kOk});
    return;
  }
  if (destination_field_) destination_field_->SetText(destination);
  state_.SetDestinationDirectory(destination);
  // The installation page may be moved aside while it runs: a removal
  // started beneath it would delete what it installs.
  reinstall_button_.SetEnabled(false);
  remove_button_.SetEnabled(false);
  if (NextPage()) NextPage()->Show();
}

void TWartung::RemoveAll() {
  if (!state_.RemovalRequested() && !ConfirmRemoval(state_.ProductTitle())) {
    state_.SetOutcome(stp::RunOutcome::kRemovalDeclined);
    return;
  }
  const std::string recorded =
      ReadRegString(HKEY_LOCAL_MACHINE, stp::ProductKey(state_.Config()), "Ort", state_.Report());
  state_.SetOutcome(RemoveInstalledProduct(state_.Config(), recorded, *this, state_.Report()));
  ReportRemoval();
  ui::App().Terminate();
}

void TWartung::SetGaugeMaximum(int maximum) { gauge_.SetMaxValue(maximum); }

void TWartung::SetGaugePosition(int position) { gauge_.SetProgress(position); }

void TWartung::ShowProgressPanel() {
  progress_panel_.SetVisible(true);
  Repaint();
}
