// Runs natively against the stand-in and under Wine against the system's conversion: both must
// give the same answers.
#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using platform::kCodePageWestern;

// Bytes 0x80-0x9F of Windows-1252 from the published code chart; the five holes of the chart
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) are C1 controls on Windows.
constexpr std::array<char16_t, 32> kChartHighBlock = {
    u'\u20AC', 0x0081,    u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', 0x008D,    u'\u017D', 0x008F,
    0x0090,    u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', 0x009D,    u'\u017E', u'\u0178',
};

char16_t ChartUnit(int byte) {
  return byte >= 0x80 && byte < 0xA0 ? kChartHighBlock[byte - 0x80] : static_cast<char16_t>(byte);
}

std::u16string Widen(std::uint32_t codePage, const std::string& bytes) {
  std::u16string wide(bytes.size() + 4, u'\0');
  int n = platform::MultiByteToWideChar(codePage, MB_PRECOMPOSED, bytes.data(),
                                        static_cast<int>(bytes.size()), wide.data(),
                                        static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(n < 0 ? 0 : n));
  return wide;
}

struct Narrowed {
  std::string bytes;
  int usedDefault = -1;
};

Narrowed Narrow(std::uint32_t codePage, const std::u16string& wide) {
  Narrowed result;
  result.bytes.assign(wide.size() * 2 + 4, '\0');
  int n = platform::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                        result.bytes.data(), static_cast<int>(result.bytes.size()),
                                        nullptr, &result.usedDefault);
  result.bytes.resize(static_cast<std::size_t>(n < 0 ? 0 : n));
  return result;
}

TEST(CodePage, EveryByteOf1252WidensAsTheChartSays) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::u16string wide = Widen(kCodePageWestern, all);
  ASSERT_EQ(wide.size(), 256u);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(wide[b], ChartUnit(b)) << "byte " << b;
}

TEST(CodePage, EveryByteOf1252NarrowsBackToItselfWithoutTheDefault) {
  std::u16string wide;
  for (int b = 0; b < 256; ++b) wide.push_back(ChartUnit(b));
  Narrowed back = Narrow(kCodePageWestern, wide);
  ASSERT_EQ(back.bytes.size(), 256u);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(static_cast<std::uint8_t>(back.bytes[b]), b);
  EXPECT_EQ(back.usedDefault, 0);
}

TEST(CodePage, UnmappableUnitsTakeTheBestFitElseTheDefaultCharacter) {
  struct Case {
    char16_t unit;
    char byte;
    int usedDefault;
  };
  const Case cases[] = {
      {u'\u0100', 'A', 0},  // A with macron: best fit drops the accent
      {u'\u0107', 'c', 0},  // c with acute
      {u'\u2002', ' ', 0},  // en space
      {u'\uFF21', 'A', 0},  // fullwidth A
      {u'\u0303', '~', 0},  // combining tilde
      {u'\u0080', '?', 1},  // C1 control with a glyph at byte 0x80: no fit
      {u'\u4E00', '?', 1},  // CJK ideograph
      {0xD800, '?', 1},     // lone surrogate
      {u'\uFFFF', '?', 1},
  };
  for (const Case& c : cases) {
    Narrowed n = Narrow(kCodePageWestern, std::u16string(1, c.unit));
    ASSERT_EQ(n.bytes.size(), 1u) << std::hex << static_cast<int>(c.unit);
    EXPECT_EQ(n.bytes[0], c.byte) << std::hex << static_cast<int>(c.unit);
    EXPECT_EQ(n.usedDefault, c.usedDefault) << std::hex << static_cast<int>(c.unit);
  }
}

TEST(CodePage, ASurrogatePairNarrowsToOneDefaultCharacterPerUnit) {
  Narrowed n = Narrow(kCodePageWestern, u"\U0001F600");
  EXPECT_EQ(n.bytes, "??");
  EXPECT_EQ(n.usedDefault, 1);
}

TEST(CodePage, SizeQueriesAndFailuresFollowTheSystemContract) {
  const char abc[] = "abc";
  char16_t small[2] = {};
  EXPECT_EQ(platform::MultiByteToWideChar(kCodePageWestern, MB_PRECOMPOSED, abc, 3, nullptr, 0), 3);
  EXPECT_EQ(platform::MultiByteToWideChar(kCodePageWestern, MB_PRECOMPOSED, abc, -1, nullptr, 0),
            4);  // the terminator counts
  EXPECT_EQ(platform::MultiByteToWideChar(kCodePageWestern, MB_PRECOMPOSED, abc, 0, nullptr, 0), 0);
  EXPECT_EQ(platform::MultiByteToWideChar(kCodePageWestern, MB_PRECOMPOSED, abc, 3, small, 2), 0);
  const char16_t wide[] = u"\u00F1o";
  EXPECT_EQ(
      platform::WideCharToMultiByte(kCodePageWestern, 0, wide, 2, nullptr, 0, nullptr, nullptr), 2);
  EXPECT_EQ(
      platform::WideCharToMultiByte(kCodePageWestern, 0, wide, -1, nullptr, 0, nullptr, nullptr),
      3);
}

TEST(CodePage, TheAnsiCodePageIsReported) {
  std::uint32_t acp = platform::GetACP();
  RecordProperty("ansi_code_page", static_cast<int>(acp));
  EXPECT_NE(acp, 0u);
  // Whatever the ANSI code page is, CP_ACP converts exactly as it does.
  std::string texts =
      "a\xF1os d\xED"
      "as m\xE1s N\xBA";
  EXPECT_EQ(Widen(CP_ACP, texts), Widen(acp, texts));
}

}  // namespace
