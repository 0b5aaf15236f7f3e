#include "dialogs/dialog_template.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "dialogs/dialog.h"

namespace dialogs {
namespace {

struct StyleCase {
  const char* name;
  std::uint32_t given;
  std::int32_t x, y;
  bool hasParent;
  std::uint32_t expected;
};

TEST(DialogStyle, AppliesTheRulesInOrder) {
  const StyleCase cases[] = {
      {"default popup", 0, 10, 10, false, 0x80C000D4},
      {"main window centred", 0x00C80000, kCentred, kCentred, false, 0x00C80854},
      {"x alone centres", 0x00C80000, kCentred, 7, false, 0x00C80854},
      {"y alone centres", 0x00C80000, 7, kCentred, false, 0x00C80054 | 0x800},
      {"visible and sysmodal cleared", 0x10C80002, 1, 1, false, 0x00C80054},
      {"child with parent loses popup and absalign", 0xC0000001, 1, 1, true, 0x40000054},
      {"child without parent becomes popup", 0x40000001, 1, 1, false, 0x80000054},
      {"child default centred", 0x40000000, kCentred, 0, true, 0x40000854},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DialogStyle(c.given, c.x, c.y, c.hasParent), c.expected) << c.name;
  }
}

TEST(DialogStyle, ShowCommandFollowsMaximiseThenMinimise) {
  EXPECT_EQ(ShowCommandForStyle(0x00C80854), 5);
  EXPECT_EQ(ShowCommandForStyle(0x01000000), 3);
  EXPECT_EQ(ShowCommandForStyle(0x20000000), 6);
  EXPECT_EQ(ShowCommandForStyle(0x21000000), 3);
}

std::vector<std::uint8_t> Build(const TemplateFields& fields, std::size_t* used) {
  alignas(4) std::array<std::uint8_t, kTemplateBufferSize> buffer;
  buffer.fill(0xCC);
  *used = BuildDialogTemplate(buffer, fields);
  return {buffer.begin(), buffer.end()};
}

// Little-endian bytes written by hand from the published DLGTEMPLATEEX layout.
TEST(DialogTemplate, MainWindowTemplateByteForByte) {
  const TemplateFields fields{
      0x00C80854, 0, kCentred, kCentred, 260, 90, {8.0f, 400, false, 0, u"MS Sans Serif"}};
  std::vector<std::uint8_t> expected = {
      0x01, 0x00, 0xFF, 0xFF,              // dlgVer, signature
      0x00, 0x00, 0x00, 0x00,              // helpID
      0x00, 0x00, 0x00, 0x00,              // exStyle
      0x54, 0x08, 0xC8, 0x00,              // style
      0x00, 0x00,                          // cDlgItems
      0x00, 0x00, 0x00, 0x00,              // x, y: low halves of 0x80000000
      0x04, 0x01, 0x5A, 0x00,              // cx 260, cy 90
      0x00, 0x00, 0x00, 0x00,              // menu, class
      0x20, 0x00, 0x00, 0x00,              // title " "
      0x08, 0x00, 0x90, 0x01, 0x00, 0x00,  // 8 pt, weight 400, not italic, charset 0
  };
  for (char c : std::string_view("MS Sans Serif")) {
    expected.push_back(static_cast<std::uint8_t>(c));
    expected.push_back(0);
  }
  expected.push_back(0);
  expected.push_back(0);

  std::size_t used = 0;
  const auto bytes = Build(fields, &used);
  ASSERT_EQ(used, expected.size());
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + used), expected);
  for (std::size_t i = used; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], 0) << "at " << i;
}

TEST(DialogTemplate, CoordinatesKeepLowHalvesAndFontFieldsFollowTheFont) {
  const TemplateFields fields{
      0x80C000D4, 0x00000100, -2, 0x12345, kCentred, 70000, {10.5f, 700, true, 2, u"Arial"}};
  std::size_t used = 0;
  const auto b = Build(fields, &used);
  EXPECT_EQ(b[8] | b[9] << 8, 0x0100);            // exStyle
  EXPECT_EQ(b[18] | b[19] << 8, 0xFFFE);          // x = -2
  EXPECT_EQ(b[20] | b[21] << 8, 0x2345);          // y
  EXPECT_EQ(b[22] | b[23] << 8, 0x0000);          // cx: low half of 0x80000000
  EXPECT_EQ(b[24] | b[25] << 8, 70000 & 0xFFFF);  // cy
  EXPECT_EQ(b[34] | b[35] << 8, 10);              // 10.5 rounds to the even 10
  EXPECT_EQ(b[36] | b[37] << 8, 700);
  EXPECT_EQ(b[38], 1);
  EXPECT_EQ(b[39], 2);
  EXPECT_EQ(used, 40u + 6 * 2);
}

TEST(DialogTemplate, LongFaceNameIsCutToThirtyOneUnits) {
  const std::u16string face(40, u'x');
  const TemplateFields fields{0x80C000D4, 0, 0, 0, 10, 10, {8.0f, 400, false, 0, face}};
  std::size_t used = 0;
  const auto b = Build(fields, &used);
  EXPECT_EQ(used, 40u + 32 * 2);
  EXPECT_EQ(b[40 + 31 * 2], 0);
  EXPECT_EQ(b[40 + 30 * 2], 'x');
}

}  // namespace
}  // namespace dialogs
