#include "ui/timer.h"

#include "ui/form.h"

namespace ui {

namespace {
UINT_PTR NextTimerId() {
  static UINT_PTR next = 1;
  return next++;
}
}  // namespace

Timer::Timer(Form& owner, UINT interval_ms) : owner_(owner), interval_ms_(interval_ms), id_(NextTimerId()) {
  owner_.AddTimer(this);
}

Timer::~Timer() {
  SetEnabled(false);
  owner_.RemoveTimer(this);
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled) {
    SetTimer(owner_.Handle(), id_, interval_ms_, nullptr);
  } else {
    KillTimer(owner_.Handle(), id_);
  }
}

void Timer::Fire() {
  if (enabled_ && on_timer_) on_timer_();
}

}  // namespace ui
