#pragma once

#include <cstdint>

namespace datecalc {

// An interval in whole years, months and days.
struct IntervalResult {
  std::int16_t years = 0;
  std::int16_t months = 0;
  std::int16_t days = 0;
};

}  // namespace datecalc
