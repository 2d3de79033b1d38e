#pragma once

#include <memory>

#include "ui/font.h"
#include "ui/window.h"

namespace ui {

class Form;

// A child window placed on a form, a panel or a group box. It uses its
// parent's font and colour unless it is given its own.
class Control : public Window {
 public:
  Window& Parent() const { return parent_; }
  // The form the control sits on.
  Form& OwnerForm() const;

  const Font& GetFont() const override { return own_font_ ? *own_font_ : parent_.GetFont(); }
  Colour BackgroundColour() const override { return parent_.BackgroundColour(); }
  void SetFont(const FontSettings& settings);

 protected:
  explicit Control(Window& parent) : parent_(parent) {}

  // Creates a control of a system class (button, static, edit).
  void CreateSystemControl(const char* class_name, DWORD style, DWORD ex_style, const Bounds& bounds);
  // Creates a control of one of the toolkit's own classes.
  void CreateOwnControl(const char* class_name, DWORD style, DWORD ex_style, const Bounds& bounds);
  virtual void FontChanged() {}

 private:
  Window& parent_;
  std::unique_ptr<Font> own_font_;
};

// A control of one of the toolkit's own classes that draws itself.
class PaintedControl : public Control {
 protected:
  // fills_background: whether the area is first filled with the parent's
  // colour; a control that covers every pixel, or lets what lies beneath
  // show through, does without.
  PaintedControl(Window& parent, bool fills_background)
      : Control(parent), fills_background_(fills_background) {}

  virtual void Paint(HDC dc) = 0;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  bool fills_background_;
};

}  // namespace ui
