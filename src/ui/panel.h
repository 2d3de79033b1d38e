#pragma once

#include <string>

#include "ui/control.h"

namespace ui {

enum class BevelCut { kNone, kLowered, kRaised };

// A rectangle with an outer and an inner bevel that holds other controls and
// may show a caption in its middle.
class Panel : public PaintedControl {
 public:
  Panel(Window& parent, const Bounds& bounds, const std::string& caption = {});

  void SetCaption(const std::string& text) override;
  void SetBevels(BevelCut outer, BevelCut inner);

 protected:
  void Paint(HDC dc) override;

 private:
  BevelCut outer_ = BevelCut::kRaised;
  BevelCut inner_ = BevelCut::kNone;
};

// Draws a one-pixel bevel inside rect and shrinks rect by it.
void DrawBevel(HDC dc, RECT& rect, BevelCut cut);

}  // namespace ui
