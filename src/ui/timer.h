#pragma once

#include <windows.h>

#include <functional>

namespace ui {

class Form;

// A timer whose events arrive through its form's message loop, so that an
// exception in the handler reaches the error display like any other.
// A handler that wants one event only disables the timer first.
class Timer {
 public:
  Timer(Form& owner, UINT interval_ms);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void OnTimer(std::function<void()> handler) { on_timer_ = std::move(handler); }
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }

  UINT_PTR Id() const { return id_; }
  void Fire();

 private:
  Form& owner_;
  UINT interval_ms_;
  UINT_PTR id_;
  bool enabled_ = false;
  std::function<void()> on_timer_;
};

}  // namespace ui
