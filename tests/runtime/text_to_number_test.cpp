#include "runtime/number_text/text_to_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "number_test_support.h"
#include "platform/ole_strings.h"

namespace {

using runtime::TextToNumber;

class TextToNumberTest : public number_test::UnderRuntimeFpuMode {};

struct Case {
  const char* text;
  long double value;
};

constexpr long double kTwoTo127 = 170141183460469231731687303715884105728.0L;

template <std::size_t N>
void ExpectReads(const Case (&cases)[N]) {
  for (const Case& c : cases) {
    const long double value = TextToNumber(std::string_view(c.text)).value;
    EXPECT_EQ(value, c.value) << '"' << c.text << '"';
  }
}

TEST_F(TextToNumberTest, DecimalNumbers) {
  const Case cases[] = {
      {"42", 42},
      {"  -7", -7},
      {"+3", 3},
      {" 12abc", 12},
      {"abc", 0},
      {"", 0},
      {"12.5", 12.5L},
      {".5", 0.5L},
      {"5.", 5},
      {"1.2.3", 1.2L},
      {"0.005", 0.005L},
      {"-0.25", -0.25L},
      {"007", 7},
      {"100", 100},
      {"1000000", 1000000},
      {"123456789012345678", 123456789012345678.0L},
      {"1234567890123456789", 1234567890123456780.0L},  // the 19th digit is dropped
      {"12345678901234567899999", 12345678901234567800000.0L},
      {"0.000000000000000000000000001", 1e-27L},
      {"\t\r\n 8", 8},
      {"- 7", 0},
      {"3 4", 3},
      {"1,5", 1},
      {"\xA0"
       "5",
       0},
  };
  ExpectReads(cases);
}

TEST_F(TextToNumberTest, Exponents) {
  const Case cases[] = {
      {"1e3", 1000},      {"1E3", 1000},     {"1d3", 1000},       {"1D3", 1000},
      {"2.5e-2", 0.025L}, {"1e", 1},         {"1e+", 1},          {"1e-", 1},
      {"1e+2", 100},      {"-1.5E1", -15},   {"0e5", 0},          {".e5", 0},
      {"5E-0", 5},        {"1e0003", 1000},  {"12e-1x", 1.2L},    {"1e27", 1e27L},
      {"1e-27", 1e-27L},  {"3e300", 3e300L}, {"7E-300", 7e-300L},
  };
  ExpectReads(cases);
}

TEST_F(TextToNumberTest, MagnitudesBeyondTheRangeSaturate) {
  const Case cases[] = {
      {"1e4932", kTwoTo127},   {"99e4931", kTwoTo127},
      {"-1e5000", -kTwoTo127}, {"1e99999999", kTwoTo127},  // the exponent stops at 9999
      {"1e-5000", 0},          {"1e-4934", 0},
      {"0.001e-4931", 0},      {"1e-99999999", 0},
  };
  ExpectReads(cases);
  EXPECT_NEAR(static_cast<double>(TextToNumber(std::string_view("1.1e4931")).value / 1.1e4931L),
              1.0, 1e-17);
  EXPECT_NEAR(static_cast<double>(TextToNumber(std::string_view("9e-4932")).value / 9e-4932L), 1.0,
              1e-17);
}

TEST_F(TextToNumberTest, SmallestNormalsDoNotReadAsZero) {
  // Here 10 to the power of the digits' scale is itself too large for the format.
  const long double value = TextToNumber(std::string_view("123456789012345678e-4940")).value;
  EXPECT_NEAR(static_cast<double>(value / 1.23456789012345678e-4923L), 1.0, 1e-17);
  const long double tiny = TextToNumber(std::string_view("4.5e-4932")).value;
  EXPECT_NEAR(static_cast<double>(tiny / 4.5e-4932L), 1.0, 1e-16);
  EXPECT_GT(TextToNumber(std::string_view("1e-4933")).value, 0);  // a denormal
}

TEST_F(TextToNumberTest, LoneSignsAndPointsGiveZero) {
  for (const char* text : {"-", ".", "+", "-.", "+.e3", "e3", "-&H10", "&"}) {
    EXPECT_EQ(TextToNumber(std::string_view(text)).value, 0) << text;
  }
  EXPECT_TRUE(std::signbit(TextToNumber(std::string_view("-")).value));
}

TEST_F(TextToNumberTest, BasedIntegers) {
  const Case cases[] = {
      {"&H10", 16},
      {"&h1f", 31},
      {"&B101", 5},
      {"&b2", 0},
      {"&O17", 15},
      {"&Q17", 15},
      {"&o17", 15},
      {"&q17", 15},
      {"&17", 15},
      {"&9", 0},
      {"&HZ", 0},
      {"&H", 0},
      {"  &H1g", 1},
      {"&HFFFF", -1},
      {"&H0FFFF", 65535},
      {"&HFFFF&", 65535},
      {"&H8000", -32768},
      {"&H7FFF", 32767},
      {"&HFFFF%", -1},
      {"&H10000", 65536},
      {"&HFFFFFFFF", -1},
      {"&H80000000", -2147483648.0L},
      {"&HFFFFFFFF&", -1},
      {"&HFFFFFFFF&&", 4294967295.0L},
      {"&H0FFFFFFFF", 4294967295.0L},
      {"&HFFFF?", 65535},
      {"&HFFFF??", 65535},
      {"&HFFFF???", 65535},
      {"&H100000000", 4294967296.0L},
      {"&HFFFFFFFFFFFFFFFF", -1},
      {"&H7FFFFFFFFFFFFFFF?", 9223372036854775807.0L},
      {"&H8000000000000000?", 0},
      {"&H10000000000000000", 0},  // 65 bits
      {"&H00000000000000000001", 1},
      {"&B1111111111111111", -1},
      {"&O177777", -1},
      {"&O1777777777777777777777", -1},
      {"&O2000000000000000000000", 0},  // 64 bits of octal digits plus one
  };
  ExpectReads(cases);
}

TEST_F(TextToNumberTest, StartPositionSkipsCharacters) {
  EXPECT_EQ(TextToNumber(std::string_view("ab12"), 3).value, 12);
  EXPECT_EQ(TextToNumber(std::string_view("1234"), 2).value, 234);
  EXPECT_EQ(TextToNumber(std::string_view("12"), 0).value, 12);
  EXPECT_EQ(TextToNumber(std::string_view("12"), -5).value, 12);
  EXPECT_EQ(TextToNumber(std::string_view("12"), 3).value, 0);
  EXPECT_EQ(TextToNumber(std::string_view("12"), 99).value, 0);
  EXPECT_EQ(TextToNumber(std::string_view("   "), 1).value, 0);
}

TEST_F(TextToNumberTest, CountsDigitsAndWhatIsLeft) {
  runtime::TextNumber n = TextToNumber(std::string_view(" 0012.50e3  xyz"));
  EXPECT_EQ(n.value, 12500);
  EXPECT_EQ(n.digitsRead, 6);
  EXPECT_EQ(n.charactersLeft, 3);
  n = TextToNumber(std::string_view("&HFF&  "));
  EXPECT_EQ(n.digitsRead, 2);
  EXPECT_EQ(n.charactersLeft, 0);
  n = TextToNumber(std::string_view("1.2.3"));
  EXPECT_EQ(n.charactersLeft, 2);
}

TEST_F(TextToNumberTest, ConsumesItsStringTemporary) {
  const platform::OleStringCounts before = platform::CurrentOleStringCounts();
  EXPECT_EQ(TextToNumber(runtime::DynString::Copy("  -365 dias")).value, -365);
  const platform::OleStringCounts after = platform::CurrentOleStringCounts();
  EXPECT_EQ(after.frees - before.frees, 1u);

  static constexpr auto kLiteral = runtime::MakeLiteral("&H10");
  EXPECT_EQ(TextToNumber(runtime::DynString::Borrow(kLiteral)).value, 16);
  EXPECT_EQ(TextToNumber(runtime::DynString()).value, 0);
}

// With at most 18 digits and a power of ten below 10^28 (exact in extended precision) the
// reading takes one rounding, so it must equal the correctly rounded value.
TEST_F(TextToNumberTest, ExactPowersGiveCorrectlyRoundedValues) {
  std::uint64_t state = 2024;
  for (int i = 0; i < 20000; ++i) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    const std::uint64_t mantissa = (state >> 4) % 1000000000000000000u;
    const int exponent = static_cast<int>(state >> 58) % 28 * ((state & 8) != 0 ? -1 : 1);
    const std::string text = std::to_string(mantissa) + "e" + std::to_string(exponent);
    const long double expected = std::strtold(text.c_str(), nullptr);
    ASSERT_EQ(TextToNumber(std::string_view(text)).value, expected) << text;
  }
}

}  // namespace
