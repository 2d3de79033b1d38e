#pragma once

#include <functional>
#include <string>

#include "ui/control.h"
#include "ui/form.h"

namespace ui {

// A push button. A click runs its handler; a button with a modal result
// also ends its form's modal display with that result.
class Button : public Control {
 public:
  Button(Window& parent, const Bounds& bounds, const std::string& caption);

  void OnClick(std::function<void()> handler) { on_click_ = std::move(handler); }
  void SetModalResult(ModalResult result) { modal_result_ = result; }
  void Click();

 protected:
  void Notify(WORD code) override;

 private:
  std::function<void()> on_click_;
  ModalResult modal_result_ = ModalResult::kNone;
};

}  // namespace ui
