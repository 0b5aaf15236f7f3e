#pragma once
// The whole day offset a number stands for. The number-of-days box's text is read as a number
// elsewhere (runtime/number_text/text_to_number.h, in main_dialog_callback.cpp); this only rounds
// the value read.

#include <cstdint>
#include <optional>

namespace app {

// `value` rounded to the nearest integer, ties to even; none when that lies outside the signed
// 32-bit range, which no date move can reach anyway (the final date then stays at the base).
std::optional<std::int32_t> DayOffsetFromValue(long double value);

}  // namespace app
