#include "dialogs/unit_conversion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dialogs {
namespace {

TEST(PixelsToUnits, RoundsHalvesUpAndNegativeRemaindersDown) {
  struct Case {
    std::int32_t pixels, per1024, units;
  } const cases[] = {
      {3, 1536, 2},
      {4, 1536, 3},
      {-4, 1536, -3},
      {0, 1536, 0},
      {6, 1536, 4},
      {1, 2048, 1},    // exactly half a unit rounds up
      {-3, 1536, -2},  // no remainder: exact
      {5, 0, 0},
      {5, -10, 0},  // no usable mapping
      {2000000, 1024, 2000000},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PixelsToUnits(c.pixels, c.per1024), c.units) << c.pixels << " / " << c.per1024;
  }
}

TEST(PixelsToUnits, NonNegativeValuesRoundToNearestWithHalvesUp) {
  for (std::int32_t per1024 : {1024, 1536, 1792, 2048, 1600, 2560}) {
    for (std::int32_t pixels = 0; pixels < 500; ++pixels) {
      const double exact = static_cast<double>(pixels) * 1024 / per1024;
      EXPECT_EQ(PixelsToUnits(pixels, per1024), static_cast<std::int32_t>(std::floor(exact + 0.5)))
          << pixels << " / " << per1024;
    }
  }
}

TEST(PixelsToUnits, ExtremeValuesSaturateInsteadOfOverflowing) {
  EXPECT_EQ(PixelsToUnits(INT32_MAX, 1), INT32_MAX);
  EXPECT_EQ(PixelsToUnits(INT32_MIN, 1), INT32_MIN);
}

TEST(PlacementFromMappedRect, WidthIsRightEdgeMinusLeftEdge) {
  // 5 units at 1.5 px/unit maps to 7.5 -> 8, width 60 to 90: right edge 65 -> 98 (97.5).
  const Placement p = PlacementFromMappedRect(8, 8, 98, 26);
  EXPECT_EQ(p.x, 8);
  EXPECT_EQ(p.width, 90);
  EXPECT_EQ(p.height, 18);
  EXPECT_EQ(PlacementFromMappedRect(INT32_MIN, 0, INT32_MAX, 0).width, INT32_MAX);
}

}  // namespace
}  // namespace dialogs
