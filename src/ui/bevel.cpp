#include "ui/bevel.h"

namespace ui {

Bevel::Bevel(Window& parent, const Bounds& bounds, BevelShape shape, BevelCut cut)
    : PaintedControl(parent, false), shape_(shape), cut_(cut) {
  CreateOwnControl("TBevel", 0, 0, bounds);
}

void Bevel::Paint(HDC dc) {
  RECT rect;
  GetClientRect(Handle(), &rect);
  switch (shape_) {
    case BevelShape::kBox: DrawBevel(dc, rect, cut_); return;
    case BevelShape::kBottomLine: {
      // Two pixel rows: the shadow above the light for a groove, the other way round for a ridge.
      const bool lowered = cut_ != BevelCut::kRaised;
      RECT upper{rect.left, rect.bottom - 2, rect.right, rect.bottom - 1};
      RECT lower{rect.left, rect.bottom - 1, rect.right, rect.bottom};
      FillRect(dc, &upper, GetSysColorBrush(lowered ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
      FillRect(dc, &lower, GetSysColorBrush(lowered ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW));
      return;
    }
  }
}

}  // namespace ui
