#include "ui/gauge_scale.h"

#include <algorithm>

namespace ui {

void GaugeScale::SetMaxValue(std::int64_t maximum) {
  maximum_ = std::max<std::int64_t>(maximum, 0);
  SetProgress(progress_);
}

void GaugeScale::SetProgress(std::int64_t progress) {
  progress_ = std::clamp<std::int64_t>(progress, 0, maximum_);
}

int GaugeScale::Percent() const { return maximum_ > 0 ? static_cast<int>(progress_ * 100 / maximum_) : 0; }

std::string GaugeScale::Text() const { return std::to_string(Percent()) + "%"; }

int GaugeScale::Filled(int width) const {
  return maximum_ > 0 ? static_cast<int>(progress_ * width / maximum_) : 0;
}

}  // namespace ui
