#pragma once

#include <functional>
#include <vector>

#include "ui/control.h"
#include "ui/drives.h"

namespace ui {

// A drop-down list of the drives present, each with a symbol of its kind.
// The list is made when the control is created.
class DriveComboBox : public Control {
 public:
  DriveComboBox(Window& parent, const Bounds& bounds);

  // Selects a drive; a letter that is not listed leaves the selection alone.
  void SetDrive(char letter);
  // The selected drive's letter; 0 when none is selected.
  char Drive() const;
  // Runs when the user picks a drive.
  void OnChange(std::function<void()> handler) { on_change_ = std::move(handler); }

 protected:
  void Notify(WORD code) override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  std::vector<DriveEntry> drives_;
  std::function<void()> on_change_;
};

}  // namespace ui
