#pragma once

#include <string>

#include "maintenance/removal_host.h"
#include "pages/wizard_page.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/gauge.h"
#include "ui/label.h"
#include "ui/panel.h"

// The maintenance page, shown instead of the welcome page when the product is
// installed: it repeats the last installation into the recorded directory, or
// removes everything the installation record lists. Back and Next stay
// disabled; a close request just hides it. During a removal it is the
// removal's host: the gauge in its progress panel counts the entries.
class TWartung : public WizardPage, public stp::RemovalHost {
 public:
  explicit TWartung(stp::SetupState& state);

  // Composes the texts that carry the product title.
  void FormCreate() override;
  // The destination page's entry field, which "Neuinstallation" fills; set
  // once at program start, like the neighbours.
  void SetDestinationField(ui::Edit& field) { destination_field_ = &field; }

  // "Alle Entfernen": removes the installed product and ends the program.
  // Asks first, unless the program was started with the removal switch.
  void RemoveAll();

  void SetGaugeMaximum(int maximum) override;
  void SetGaugePosition(int position) override;
  void ShowProgressPanel() override;

 protected:
  bool FormCloseQuery() override { return true; }

 private:
  // "Neuinstallation": the recorded directory becomes the destination, and
  // the installation page comes over this page, which stays.
  void ReinstallClick();

  ui::Panel heading_panel_;
  ui::Label heading_;
  ui::Label introduction_;
  ui::Button reinstall_button_;
  ui::Label reinstall_text_;
  ui::Button change_button_;
  ui::Label change_text_;
  ui::Button remove_button_;
  ui::Label remove_text_;
  ui::Panel progress_panel_;
  ui::Gauge gauge_;
  ui::Edit* destination_field_ = nullptr;
};
