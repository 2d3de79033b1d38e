#pragma once

#include <string>

#include "ui/control.h"

namespace ui {

// A text on a form: one line cut at its right edge, or word-wrapped.
class Label : public Control {
 public:
  Label(Window& parent, const Bounds& bounds, const std::string& caption = {});

  void SetCaption(const std::string& text) override;
  void SetWordWrap(bool word_wrap);
  // Sizes the label to its text (to its height alone when it wraps words).
  void SetAutoSize(bool auto_size);
  // The parent's font in another style.
  void SetFontStyle(const FontStyle& style);
  void SetTextColour(Colour colour);

 protected:
  HBRUSH ControlColour(HDC dc) override;
  void FontChanged() override;

 private:
  void AdjustSize();

  bool word_wrap_ = false;
  bool auto_size_ = false;
  Colour text_colour_ = GetSysColor(COLOR_WINDOWTEXT);
};

}  // namespace ui
