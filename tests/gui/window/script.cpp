#include "window/script.h"

#include <algorithm>

namespace {

constexpr UINT kTickMs = 20;
Script* active_script = nullptr;

HWND ShownWindow(const std::string& class_name) {
  HWND window = driver::FindWindowOf(0, class_name);
  return window && IsWindowEnabled(window) ? window : nullptr;
}

}  // namespace

Script::Script() : timer_(SetTimer(nullptr, 0, kTickMs, Tick)) { active_script = this; }

Script::~Script() {
  KillTimer(nullptr, timer_);
  active_script = nullptr;
}

Script& Script::When(const std::string& class_name, std::function<void(HWND)> action) {
  steps_.push_back({class_name, std::move(action)});
  return *this;
}

void CALLBACK Script::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (active_script) active_script->RunStep();
}

void Script::RunStep() {
  // An action may start a modal loop, in which the timer ticks again.
  if (running_) return;
  running_ = true;
  std::erase_if(answered_, [](HWND box) { return !IsWindow(box) || !IsWindowVisible(box); });
  if (HWND box = answer_boxes_ ? ShownWindow("TMessageForm") : nullptr;
      box && std::find(answered_.begin(), answered_.end(), box) == answered_.end()) {
    answered_.push_back(box);
    boxes_.push_back(driver::ReadMessageBox(box));
    driver::ClickButton(box, boxes_.back().buttons.front());
  } else if (!steps_.empty()) {
    if (HWND window = ShownWindow(steps_.front().class_name)) {
      Step step = std::move(steps_.front());
      steps_.pop_front();
      step.action(window);
    }
  }
  running_ = false;
}
