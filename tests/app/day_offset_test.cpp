#include "app/day_offset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(DayOffset, RoundsToNearestWithTiesToEven) {
  struct Case {
    long double value;
    std::int32_t days;
  } cases[] = {
      {10, 10},     {-7, -7},     {0, 0},     {2.5L, 2},  {3.5L, 4},
      {-2.5L, -2},  {-3.5L, -4},  {0.5L, 0},  {-0.5L, 0}, {1.5L, 2},
      {2.4999L, 2}, {2.5001L, 3}, {-0.0L, 0}, {0.49L, 0}, {99.9L, 100},
  };
  for (const auto& c : cases) {
    auto days = app::DayOffsetFromValue(c.value);
    ASSERT_TRUE(days.has_value()) << static_cast<double>(c.value);
    EXPECT_EQ(*days, c.days) << static_cast<double>(c.value);
  }
}

TEST(DayOffset, KeepsTheWholeSigned32BitRange) {
  EXPECT_EQ(app::DayOffsetFromValue(2147483647.0L), 2147483647);
  EXPECT_EQ(app::DayOffsetFromValue(-2147483648.0L), -2147483647 - 1);
  EXPECT_EQ(app::DayOffsetFromValue(2147483647.4L), 2147483647);
  EXPECT_EQ(app::DayOffsetFromValue(-2147483648.5L), -2147483647 - 1);  // tie to even
}

// Numbers beyond 32 bits are no day offset at all, never their low 32 bits.
TEST(DayOffset, RefusesValuesBeyond32Bits) {
  const long double refused[] = {
      4294967297.0L,   // low 32 bits would read as 1
      4294967296.0L,   // would read as 0
      2147483648.0L,   // would read as INT32_MIN
      2147483647.5L,   // rounds up past the range
      -2147483649.0L,  // would read as INT32_MAX
      -2147483648.6L,
      18446744073709551616.0L,  // 2^64
      std::ldexp(1.0L, 127),    // the overflow value of text input
      -std::ldexp(1.0L, 127),
      std::numeric_limits<long double>::infinity(),
      std::numeric_limits<long double>::quiet_NaN(),
  };
  for (long double value : refused) {
    EXPECT_FALSE(app::DayOffsetFromValue(value).has_value()) << static_cast<double>(value);
  }
}

}  // namespace
