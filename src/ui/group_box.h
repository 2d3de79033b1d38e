#pragma once

#include <string>

#include "ui/control.h"

namespace ui {

// A frame with a caption in its top edge that holds other controls.
class GroupBox : public Control {
 public:
  GroupBox(Window& parent, const Bounds& bounds, const std::string& caption);

  void SetCaption(const std::string& text) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint(HDC dc);
};

}  // namespace ui
