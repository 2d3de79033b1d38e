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
  void SetFont(const FontSpec& spec);

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

}  // namespace ui
