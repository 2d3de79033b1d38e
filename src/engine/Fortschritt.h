#pragma once

#include <cstdint>
#include <string>

#include "engine/install_host.h"
#include "engine/installation_run.h"
#include "pages/wizard_page.h"
#include "system/profile_file_writer.h"
#include "system/registry_traces.h"
#include "system/shell_folders.h"
#include "system/shell_links.h"
#include "ui/gauge.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/timer.h"

// The installation progress page. Showing it loads the file and link tables
// from Setup.inf and arms a one-shot timer, whose event runs the whole
// installation. The page holds no step of it: it is the run's host (the
// current target, the diskette, the gauge, the diskette prompt, the error
// numbers, the finish dialog) and hands the run the system's adapters.
// Back and Next stay disabled for the whole run.
class TInstallation : public WizardPage, public stp::InstallationHost {
 public:
  explicit TInstallation(stp::SetupState& state);

  // Window messages get through here only, between two blocks, so that a
  // click on "Abbrechen" is handled while a file is decoded; the page shows
  // the current target then too.
  void ProcessMessages() override;
  bool CancelConfirmed() override;
  // The error dialog "Diskette wechseln" with both of its buttons; true when
  // it was left by OK.
  bool AskForDisk(int number, const std::string& source_directory) override;
  void Advance(std::uint32_t bytes) override;
  // Label3 shows the target as ZeigAn shortens it, Label6 the diskette, at
  // the next refresh of the page.
  void ShowTarget(const std::string& target, int disk_number) override;
  // An error box holding the number alone.
  void ReportErrorNumber(int error) override;
  void ShowSystemUpdate() override;
  void ReportNoSetupData() override;
  void ShowFinishDialog() override;

 protected:
  void FormShow() override;

 private:
  // Runs the installation to its end. An error that leaves it reaches the
  // standard error display; the page then stays with only "Abbrechen"
  // working, since the timer is off and Back and Next are disabled.
  void Timer1Timer();
  // Puts the target last named by ShowTarget on the page, unless it is there.
  void ShowCurrentTarget();

  // Made first, so that it lies above the labels and the gauge it covers.
  ui::Panel Panel1;
  ui::Label Label1;
  ui::Label Label6;
  ui::Label Label3;
  ui::Panel gauge_panel_;
  ui::Gauge Gauge1;
  ui::Timer Timer1;

  stp::InstallationTables tables_;
  PrivateProfileWriter profile_writer_;
  SystemRegistryTraces registry_traces_;
  ShellLinkWriter shortcuts_;
  UserShellFolders folders_;

  std::string current_target_;
  int current_disk_ = 0;
  bool target_shown_ = true;
  DWORD last_refresh_ = 0;  // GetTickCount() at the last refresh
};
