#include "app/day_offset.h"

#include <cmath>
#include <limits>

namespace app {

std::optional<std::int32_t> DayOffsetFromValue(long double value) {
  // The runtime keeps the x87 unit in round-to-nearest-even, so nearbyint rounds ties to even.
  long double rounded = std::nearbyint(value);
  constexpr auto kLowest = static_cast<long double>(std::numeric_limits<std::int32_t>::min());
  constexpr auto kHighest = static_cast<long double>(std::numeric_limits<std::int32_t>::max());
  // Cutting to the low 32 bits would turn 4294967297 into 1; refuse such values instead.
  if (!(rounded >= kLowest && rounded <= kHighest)) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

}  // namespace app
