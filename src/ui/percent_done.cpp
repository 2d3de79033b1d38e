#include "ui/percent_done.h"

namespace ui {

int PercentDone(std::int64_t progress, std::int64_t maximum) {
  if (maximum <= 0 || progress <= 0) return 0;
  if (progress >= maximum) return 100;
  return static_cast<int>(progress * 100 / maximum);
}

std::string PercentText(std::int64_t progress, std::int64_t maximum) {
  return std::to_string(PercentDone(progress, maximum)) + "%";
}

}  // namespace ui
