#include "dialogs/font_record.h"

#include <gtest/gtest.h>

namespace dialogs {
namespace {

TEST(FontRecord, DefaultTableHasThreeNumberedFonts) {
  ASSERT_TRUE(BuildDefaultFontTable());
  struct Expected {
    std::int32_t number;
    std::u16string_view face;
    float size;
    std::uint8_t pitch;
  } const expected[] = {
      {1, u"MS Sans Serif", 8.0f, 0},
      {2, u"Lucida Console", 0.0f, 1},
      {3, u"Lucida Console", 11.0f, 1},
  };
  for (const auto& e : expected) {
    FontRecord font;
    ASSERT_TRUE(FindFont(e.number, &font)) << e.number;
    EXPECT_EQ(font.Face(), e.face);
    EXPECT_EQ(font.pointSize, e.size);
    EXPECT_EQ(font.weight, 400);
    EXPECT_EQ(font.italic, 0);
    EXPECT_EQ(font.charSet, 0);
    EXPECT_EQ(font.pitchAndFamily, e.pitch);
  }
  EXPECT_FALSE(FindFont(4, nullptr));
  EXPECT_FALSE(FindFont(0, nullptr));
}

TEST(FontRecord, RebuildingRestartsTheNumbersAndLongFacesAreCut) {
  ASSERT_TRUE(BuildDefaultFontTable());
  const std::u16string longFace(40, u'f');
  EXPECT_EQ(AddFont(longFace, 9.0f, 700, true, 0, 0), 4);
  FontRecord font;
  ASSERT_TRUE(FindFont(4, &font));
  EXPECT_EQ(font.Face().size(), 31u);
  ASSERT_TRUE(BuildDefaultFontTable());
  EXPECT_FALSE(FindFont(4, nullptr));
  ClearFontTable();
  EXPECT_FALSE(FindFont(1, nullptr));
  ASSERT_TRUE(BuildDefaultFontTable());
}

}  // namespace
}  // namespace dialogs
