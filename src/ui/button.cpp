#include "ui/button.h"

namespace ui {

Button::Button(Window& parent, const Bounds& bounds, const std::string& caption) : Control(parent) {
  CreateSystemControl("BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, bounds);
  SetCaption(caption);
}

void Button::Click() {
  if (modal_result_ != ModalResult::kNone) OwnerForm().SetModalResult(modal_result_);
  if (on_click_) on_click_();
}

void Button::Notify(WORD code) {
  if (code == BN_CLICKED) Click();
}

}  // namespace ui
