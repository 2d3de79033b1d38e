#pragma once

#include <cstdint>

#include "ui/control.h"
#include "ui/gauge_scale.h"

namespace ui {

// A horizontal bar that grows with the progress towards a maximum and shows
// the percentage done in its middle. Its window text is that percentage.
class Gauge : public PaintedControl {
 public:
  Gauge(Window& parent, const Bounds& bounds);

  void SetMaxValue(std::int64_t maximum);
  // Clamped to 0 .. the maximum.
  void SetProgress(std::int64_t progress);
  void AddProgress(std::int64_t amount) { SetProgress(scale_.Progress() + amount); }
  std::int64_t Progress() const { return scale_.Progress(); }
  std::int64_t MaxValue() const { return scale_.MaxValue(); }

 protected:
  void Paint(HDC dc) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // Repaints only when the text or the bar's end would change: the
  // installation advances the gauge once per decoded block.
  void Update();

  GaugeScale scale_;
  int width_;  // of the bar, kept: asking the window system costs a call per block
  int shown_percent_ = -1;
  int shown_filled_ = -1;
};

}  // namespace ui
