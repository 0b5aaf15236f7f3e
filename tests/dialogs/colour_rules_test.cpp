#include "dialogs/colour_rules.h"

#include <gtest/gtest.h>

#include "dialogs/control.h"

namespace dialogs {
namespace {

TEST(ColourRules, NormalisationOfTextAndBackground) {
  struct Case {
    std::int32_t given, text, back;
  } const cases[] = {
      {-5, -1, -1},
      {-1, -1, -1},
      {-2, -1, -2},
      {-3, -1, -1},
      {INT32_MIN, -1, -1},
      {0, 0, 0},
      {0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
      {0x7F123456, 0x123456, 0x123456},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NormaliseTextColour(c.given), c.text) << c.given;
    EXPECT_EQ(NormaliseBackColour(c.given), c.back) << c.given;
  }
}

TEST(ColourRules, SystemColourIndexesOfEachCtlColorMessage) {
  struct Case {
    std::uint32_t message;
    int text, background;
  } const cases[] = {
      {0x132, 7, 4},  {0x133, 8, 5}, {0x134, 8, 5},  {0x135, 18, 15},
      {0x136, 8, 15}, {0x137, 8, 0}, {0x138, 8, 15},
  };
  for (const auto& c : cases) {
    const auto indexes = CtlColorIndexes(c.message);
    ASSERT_TRUE(indexes) << c.message;
    EXPECT_EQ(indexes->text, c.text) << c.message;
    EXPECT_EQ(indexes->background, c.background) << c.message;
  }
  EXPECT_FALSE(CtlColorIndexes(0x131));
  EXPECT_FALSE(CtlColorIndexes(0x139));
}

}  // namespace
}  // namespace dialogs
