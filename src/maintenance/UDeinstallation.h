#pragma once

#include <string>

#include "maintenance/removal_host.h"
#include "ui/form.h"
#include "ui/gauge.h"
#include "ui/label.h"
#include "ui/panel.h"

// The launcher's one window: the product it removes and the gauge of the
// removal, which counts the listed entries as the maintenance page's does.
// The removal cannot be stopped once it runs, so a close request is refused.
class TDeinstallation : public ui::Form, public stp::RemovalHost {
 public:
  // The window class, by which a second Setup of the product finds it.
  static constexpr char kClassName[] = "TDeinstallation";

  explicit TDeinstallation(const std::string& product_title);

  void SetGaugeMaximum(int maximum) override;
  void SetGaugePosition(int position) override;
  void ShowProgressPanel() override;

 protected:
  bool FormCloseQuery() override { return false; }

 private:
  ui::Label text_;
  ui::Panel gauge_panel_;
  ui::Gauge gauge_;
};
