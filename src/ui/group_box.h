#pragma once

#include <string>

#include "ui/control.h"

namespace ui {

// A frame with a caption in its top edge that holds other controls.
class GroupBox : public PaintedControl {
 public:
  GroupBox(Window& parent, const Bounds& bounds, const std::string& caption);

  void SetCaption(const std::string& text) override;

 protected:
  void Paint(HDC dc) override;
};

}  // namespace ui
