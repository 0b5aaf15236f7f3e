#include "runtime/number_text/power_of_ten.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "number_big_integer.h"
#include "number_test_support.h"

namespace {

using number_test::BigInteger;
using runtime::BitsOf;
using runtime::ExtendedBits;
using runtime::PowerOfTenTable;
using runtime::ScaleByPowerOfTen;

class PowerOfTen : public number_test::UnderRuntimeFpuMode {};

// The nearest extended value to 10^n, from the exact integer 10^n: its top 64 bits rounded
// to nearest, ties to even.
ExtendedBits NearestExtended(int n) {
  const BigInteger exact = BigInteger::PowerOfTen(n);
  const int length = exact.BitLength();
  std::uint64_t significand = 0;
  for (int i = 1; i <= 64; ++i) significand = significand << 1 | (exact.Bit(length - i) ? 1 : 0);
  int exponent = length - 1;
  bool sticky = false;
  for (int i = 0; i < length - 65; ++i) sticky = sticky || exact.Bit(i);
  if (exact.Bit(length - 65) && (sticky || (significand & 1) != 0)) {
    if (++significand == 0) {
      significand = std::uint64_t{1} << 63;
      ++exponent;
    }
  }
  return {significand, static_cast<std::uint16_t>(exponent + runtime::kExtendedExponentBias)};
}

TEST_F(PowerOfTen, SmallEntriesAreExactPowers) {
  std::uint32_t expected = 1;
  for (std::uint32_t entry : PowerOfTenTable.small) {
    EXPECT_EQ(entry, expected);
    expected *= 10;
  }
}

TEST_F(PowerOfTen, LargeEntriesAreTheNearestExtendedValues) {
  for (int i = 0; i < 10; ++i) {
    const int n = 8 << i;
    const ExtendedBits expected = NearestExtended(n);
    const ExtendedBits actual = BitsOf(PowerOfTenTable.large[i]);
    EXPECT_EQ(actual.significand, expected.significand) << "10^" << n;
    EXPECT_EQ(actual.signAndExponent, expected.signAndExponent) << "10^" << n;
  }
}

TEST_F(PowerOfTen, DigitBoundIsExactlyTenToTheEighteenth) {
  const ExtendedBits expected = NearestExtended(18);
  EXPECT_EQ(BitsOf(PowerOfTenTable.digitBound).significand, expected.significand);
  EXPECT_EQ(BitsOf(PowerOfTenTable.digitBound).signAndExponent, expected.signAndExponent);
}

TEST_F(PowerOfTen, ScalingByExactPowersIsExact) {
  // 10^m is exact in extended precision up to m = 27 (5^27 < 2^64).
  long double power = 1;
  for (int m = 0; m <= 27; ++m) {
    EXPECT_EQ(ScaleByPowerOfTen(1, m), power) << m;
    EXPECT_EQ(ScaleByPowerOfTen(-3, m), -3 * power) << m;
    EXPECT_EQ(ScaleByPowerOfTen(power, -m), 1) << m;
    power *= 10;
  }
}

TEST_F(PowerOfTen, ScalingIsAccurateAcrossTheRange) {
  for (int m = -4950; m <= 4931; m += 7) {
    const long double there = ScaleByPowerOfTen(1, m);
    ASSERT_TRUE(std::isfinite(there)) << m;
    ASSERT_GT(there, 0) << m;
    if (m < -4931) continue;  // denormal: precision is gone
    EXPECT_NEAR(static_cast<double>(ScaleByPowerOfTen(there, -m)), 1.0, 1e-17) << m;
  }
}

TEST_F(PowerOfTen, ScalingFarOutsideTheRangeSaturates) {
  constexpr long double kInfinity = std::numeric_limits<long double>::infinity();
  EXPECT_EQ(ScaleByPowerOfTen(1, 4933), kInfinity);
  EXPECT_EQ(ScaleByPowerOfTen(1, 20000), kInfinity);
  EXPECT_EQ(ScaleByPowerOfTen(-1, 1 << 30), -kInfinity);
  EXPECT_EQ(ScaleByPowerOfTen(1, -20000), 0);
  EXPECT_EQ(ScaleByPowerOfTen(1, -(1 << 30)), 0);
  EXPECT_EQ(ScaleByPowerOfTen(0, 20000), 0);  // never 0 x infinity
  // One reduction step brings a tiny value back into range.
  EXPECT_NEAR(static_cast<double>(ScaleByPowerOfTen(1e-4000L, 8000) / 1e4000L), 1.0, 1e-17);
  EXPECT_NEAR(static_cast<double>(ScaleByPowerOfTen(1e4000L, -8000) / 1e-4000L), 1.0, 1e-17);
}

}  // namespace
