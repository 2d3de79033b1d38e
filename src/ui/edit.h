#pragma once

#include <string>

#include "ui/control.h"

namespace ui {

// A one-line entry field on a white background.
class Edit : public Control {
 public:
  Edit(Window& parent, const Bounds& bounds, const std::string& text = {});

  std::string Text() const { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }

 protected:
  HBRUSH ControlColour(HDC dc) override;
};

}  // namespace ui
