#include "ui/bevel.h"

namespace ui {

Bevel::Bevel(Window& parent, const Bounds& bounds, BevelShape shape, BevelCut cut)
    : Control(parent), shape_(shape), cut_(cut) {
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

LRESULT Bevel::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(Handle(), &paint);
      Paint(dc);
      EndPaint(Handle(), &paint);
      return 0;
    }
  }
  return Control::HandleMessage(message, wparam, lparam);
}

}  // namespace ui
