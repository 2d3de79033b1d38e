#pragma once

#include <cstdint>
#include <string>

namespace ui {

// progress * 100 / maximum with the fraction dropped, 0 when there is no
// maximum, at most 100. Computed in 64 bits: in 32 bits, progress * 100
// would overflow from about 21 MB on.
int PercentDone(std::int64_t progress, std::int64_t maximum);
// The gauge's text: the percentage followed by "%".
std::string PercentText(std::int64_t progress, std::int64_t maximum);

}  // namespace ui
