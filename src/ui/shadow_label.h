#pragma once

#include <string>

#include "ui/control.h"

namespace ui {

// One line of text above its drop shadow: the same text, moved by an offset,
// in a colour of its own. Both are drawn in one pass, shadow first, so the
// text always lies on top; two overlapping transparent labels would depend on
// the order in which the system paints them, and Wine paints the upper one
// first. The control sizes itself to text and shadow together; around the
// letters the parent's colour shows.
class ShadowLabel : public PaintedControl {
 public:
  // The text's corner is at (left, top); the shadow's at offset from it.
  ShadowLabel(Window& parent, int left, int top, SIZE shadow_offset);

  void SetCaption(const std::string& text) override;
  void SetColours(Colour text, Colour shadow);

 protected:
  void Paint(HDC dc) override;
  void FontChanged() override;

 private:
  void AdjustSize();

  SIZE shadow_offset_;
  Colour text_colour_ = GetSysColor(COLOR_WINDOWTEXT);
  Colour shadow_colour_ = GetSysColor(COLOR_BTNSHADOW);
};

}  // namespace ui
