#pragma once
// The number of days typed into the number-of-days box, as a whole day offset.

#include <cstdint>
#include <optional>

namespace app {

// `value` rounded to the nearest integer, ties to even; none when that lies outside the signed
// 32-bit range, which no date move can reach anyway (the final date then stays at the base).
std::optional<std::int32_t> DayOffsetFromValue(long double value);

}  // namespace app
