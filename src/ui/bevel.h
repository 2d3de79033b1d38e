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
class Bevel : public PaintedControl {
 public:
  Bevel(Window& parent, const Bounds& bounds, BevelShape shape, BevelCut cut = BevelCut::kLowered);

 protected:
  void Paint(HDC dc) override;

 private:
  BevelShape shape_;
  BevelCut cut_;
};

}  // namespace ui
