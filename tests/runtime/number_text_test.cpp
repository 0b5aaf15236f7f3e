#include "runtime/number_text/number_to_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "number_test_support.h"
#include "platform/ole_strings.h"

namespace {

using number_test::Extended;
using runtime::DynString;
using runtime::ErrorSlot;

class NumberText : public number_test::UnderRuntimeFpuMode {
 protected:
  std::string Text(DynString (*form)(ErrorSlot&, long double), long double value) {
    ErrorSlot slot;
    DynString text = form(slot, value);
    EXPECT_EQ(slot.word(), 0);
    EXPECT_TRUE(text.IsOwned());
    return std::string(text.View());
  }
  std::string Counted(long double value, int digits, bool keepSignBlank = false) {
    ErrorSlot slot;
    DynString text = keepSignBlank ? runtime::CountedToSignedText(slot, value, digits)
                                   : runtime::CountedToText(slot, value, digits);
    return std::string(text.View());
  }
};

struct WorkedResult {
  long double value;
  const char* plain;    // 15 digits
  const char* signed_;  // 15 digits, blank kept
  const char* single;   // 7 digits
};

constexpr WorkedResult kWorkedResults[] = {
    {0, "0", " 0", "0"},
    {5, "5", " 5", "5"},
    {-3, "-3", "-3", "-3"},
    {12, "12", " 12", "12"},
    {365, "365", " 365", "365"},
    {1234567, "1234567", " 1234567", "1234567"},
    {2147483647, "2147483647", " 2147483647", "2.147484E+9"},
    {999999999999999, "999999999999999", " 999999999999999", "1E+15"},
    {1000000000000000, "1E+15", " 1E+15", "1E+15"},
    {123456789012345678, "1.23456789012346E+17", " 1.23456789012346E+17", "1.234568E+17"},
    {0.5L, ".5", " .5", ".5"},
    {-0.25L, "-.25", "-.25", "-.25"},
    {1.5L, "1.5", " 1.5", "1.5"},
    {0.001L, ".001", " .001", ".001"},
    {1e-15L, ".000000000000001", " .000000000000001", "1E-15"},
    {1e-16L, "1E-16", " 1E-16", "1E-16"},
    {2.5e20L, "2.5E+20", " 2.5E+20", "2.5E+20"},
};

TEST_F(NumberText, WorkedResultsInEveryForm) {
  for (const WorkedResult& r : kWorkedResults) {
    SCOPED_TRACE(r.plain);
    EXPECT_EQ(Text(runtime::DoubleToText, r.value), r.plain);
    EXPECT_EQ(Text(runtime::DoubleToSignedText, r.value), r.signed_);
    EXPECT_EQ(Text(runtime::SingleToText, r.value), r.single);
    const std::string single = r.single;
    EXPECT_EQ(Text(runtime::SingleToSignedText, r.value), r.value < 0 ? single : " " + single);
    EXPECT_EQ(Counted(r.value, 15), r.plain);
    EXPECT_EQ(Counted(r.value, 15, true), r.signed_);
    EXPECT_EQ(Counted(r.value, 7), r.single);
  }
}

TEST_F(NumberText, NegativeZeroPrintsAsZero) {
  EXPECT_EQ(Text(runtime::DoubleToText, -0.0L), "0");
  EXPECT_EQ(Text(runtime::DoubleToSignedText, -0.0L), " 0");
}

struct Case {
  long double value;
  const char* text;  // double-precision form
};

TEST_F(NumberText, EdgeCasesOfTheDoubleForm) {
  const Case cases[] = {
      // The tie is decided by the first dropped digit alone.
      {100000000000000501.0L, "1E+17"},
      {100000000000000601.0L, "1.00000000000001E+17"},
      {100000000000001500.0L, "1.00000000000002E+17"},  // odd digit: up
      {100000000000000499.0L, "1E+17"},
      // A carry through every digit raises the exponent.
      {999999999999999500.0L, "1E+18"},
      {9999999999999995.0L, "1E+16"},
      {0.9999999999999999L, "1"},
      // Plain notation up to n digits on either side of the point.
      {123456789012345.0L, "123456789012345"},
      {12345678901234.5L, "12345678901234.5"},
      {0.000000000000012L, ".000000000000012"},
      {1.5e-15L, "1.5E-15"},
      {100.0L, "100"},
      {-1e14L, "-100000000000000"},
      {1e300L, "1E+300"},
      {-1.25e-300L, "-1.25E-300"},
      {1e4000L, "1E+4000"},
      {std::numeric_limits<long double>::max(), "1.18973149535723E+4932"},
      {std::numeric_limits<long double>::min(), "3.36210314311209E-4932"},
      {-2147483648.0L, "-2147483648"},
      {1.0L / 3, ".333333333333333"},
      {2.0L / 3, ".666666666666667"},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(runtime::DoubleToText, c.value), c.text);
}

TEST_F(NumberText, InfinitiesAndNaNs) {
  constexpr long double kInfinity = std::numeric_limits<long double>::infinity();
  EXPECT_EQ(Text(runtime::DoubleToText, kInfinity), "9.99999999999999E+998");
  EXPECT_EQ(Text(runtime::DoubleToSignedText, kInfinity), " 9.99999999999999E+998");
  EXPECT_EQ(Text(runtime::DoubleToText, -kInfinity), "-9.99999999999999E+998");
  EXPECT_EQ(Text(runtime::SingleToText, kInfinity), "9.999999E+998");
  EXPECT_EQ(Text(runtime::DoubleToText, std::numeric_limits<long double>::quiet_NaN()), "0");
  EXPECT_EQ(Text(runtime::DoubleToSignedText, -std::numeric_limits<long double>::quiet_NaN()),
            " 0");
}

TEST_F(NumberText, OddBitPatternsGetDefinedTexts) {
  const Case cases[] = {
      {Extended(0x0000, 1), "0"},                       // denormal
      {Extended(0x8000, 0x8000000000000000), "0"},      // negative pseudo-denormal
      {Extended(0x7FFF, 0), "0"},                       // pseudo-infinity
      {Extended(0x7FFF, 0x4000000000000000), "0"},      // pseudo-NaN
      {Extended(0x3FFF + 3, 0x4000000000000000), "4"},  // unnormal: 0.5 x 2^3
      {Extended(0xBFFF + 3, 0x0000000000000003), "-2.60208521396521E-18"},  // 3 x 2^-60
      {Extended(0x4000, 0), "0"},                                           // unnormal zero
      {Extended(0x0005, 0x0000000000000001), "0"},  // unnormal below normals
  };
  for (const Case& c : cases) EXPECT_EQ(Text(runtime::DoubleToText, c.value), c.text);
}

TEST_F(NumberText, DigitCountsOutsideOneToSeventeenMeanEighteen) {
  const long double third = 1.0L / 3;
  const std::string eighteen = "." + std::string(18, '3');
  for (int digits : {0, 18, 19, 40, -1}) EXPECT_EQ(Counted(third, digits), eighteen) << digits;
  EXPECT_EQ(Counted(third, 17), "." + std::string(17, '3'));
  EXPECT_EQ(Counted(2.0L / 3, 1), ".7");
  EXPECT_EQ(Counted(2.0L / 3, 3, true), " .667");
  EXPECT_EQ(Counted(123456789012345678.0L, 18), "123456789012345678");
  EXPECT_EQ(Counted(-123456789012345678.0L, 18, true), "-123456789012345678");
  EXPECT_EQ(Counted(1e18L, 18), "1E+18");
}

TEST_F(NumberText, LongestTextFitsItsBuffer) {
  const std::string longest = Counted(-1.23456789012345678e-4000L, 18, true);
  EXPECT_EQ(longest, "-1.23456789012345678E-4000");
  EXPECT_EQ(longest.size(), 26u);
}

TEST_F(NumberText, WholeNumbersPrintExactly) {
  // Every integer below 10^15 prints as its own decimal digits.
  std::uint64_t state = 12345;
  for (int i = 0; i < 20000; ++i) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    const std::int64_t value =
        static_cast<std::int64_t>(state >> 14) % 1000000000000000 - 500000000000000;
    EXPECT_EQ(Text(runtime::DoubleToText, static_cast<long double>(value)), std::to_string(value));
  }
  for (std::int64_t value = -1000; value <= 100000; ++value)
    ASSERT_EQ(Text(runtime::DoubleToText, static_cast<long double>(value)), std::to_string(value));
}

}  // namespace

namespace {

using runtime::DynString;
using runtime::ErrorSlot;

class NumberTextAllocation : public number_test::UnderRuntimeFpuMode {};

TEST_F(NumberTextAllocation, TheResultIsTheOnlyAllocation) {
  const platform::OleStringCounts before = platform::CurrentOleStringCounts();
  ErrorSlot slot;
  {
    DynString text = runtime::DoubleToSignedText(slot, -1.25e-300L);
    EXPECT_EQ(text.View(), "-1.25E-300");
  }
  const platform::OleStringCounts after = platform::CurrentOleStringCounts();
  EXPECT_EQ(after.byteAllocations - before.byteAllocations, 1u);
  EXPECT_EQ(after.frees - before.frees, 1u);
}

TEST_F(NumberTextAllocation, OutOfMemoryRaisesErrorSevenAndGivesNoText) {
  ErrorSlot slot;
  platform::FailNextStringAllocations(1);
  DynString text = runtime::DoubleToText(slot, 365);
  EXPECT_EQ(slot.number(), runtime::error::kOutOfMemory);
  EXPECT_EQ(text.handle(), 0u);
  ErrorSlot next;
  EXPECT_EQ(runtime::DoubleToText(next, 365).View(), "365");
  EXPECT_EQ(next.word(), 0);
}

}  // namespace
