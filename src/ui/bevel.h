#pragma once

#include "ui/control.h"
#include "ui/panel.h"

namespace ui {

enum class BevelShape {
  kBottomLine,  // a line along the bottom edge
  kBox,         // a rectangle along all four edges
};

// Lines that divide or frame parts of a form. It paints nothing else, so the
// controls above it stay visible.
class Bevel : public Control {
 public:
  Bevel(Window& parent, const Bounds& bounds, BevelShape shape, BevelCut cut = BevelCut::kLowered);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint(HDC dc);

  BevelShape shape_;
  BevelCut cut_;
};

}  // namespace ui
