#include "window/script.h"

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
  if (HWND box = answer_boxes_ ? ShownWindow("TMessageForm") : nullptr) {
    const driver::MessageBoxText seen = driver::ReadMessageBox(box);
    messages_.push_back(seen.caption + ": " + seen.text);
    // Clicked at once, so that the next tick cannot answer the same box again.
    SendMessageA(driver::ControlByText(box, seen.buttons.front()).handle, BM_CLICK, 0, 0);
  } else if (!steps_.empty()) {
    if (HWND window = ShownWindow(steps_.front().class_name)) {
      Step step = std::move(steps_.front());
      steps_.pop_front();
      step.action(window);
    }
  }
  running_ = false;
}
