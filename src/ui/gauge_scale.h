#pragma once

#include <cstdint>
#include <string>

namespace ui {

// The arithmetic of a progress gauge, apart from its window: a maximum (a
// negative one counts as 0), a progress kept within 0 and the maximum, and
// the percentage done. Counted in 64 bits: in 32 bits, progress * 100 would
// overflow from about 21 MB on, and a run's bytes may pass 2^31.
class GaugeScale {
 public:
  void SetMaxValue(std::int64_t maximum);
  // Clamped to 0 .. the maximum.
  void SetProgress(std::int64_t progress);
  void AddProgress(std::int64_t amount) { SetProgress(progress_ + amount); }
  std::int64_t Progress() const { return progress_; }
  std::int64_t MaxValue() const { return maximum_; }

  // progress * 100 / maximum with the fraction dropped, 0 when there is no
  // maximum.
  int Percent() const;
  // The percentage followed by "%".
  std::string Text() const;
  // How many pixels of a bar width pixels wide are filled.
  int Filled(int width) const;

 private:
  std::int64_t maximum_ = 0;
  std::int64_t progress_ = 0;
};

}  // namespace ui
