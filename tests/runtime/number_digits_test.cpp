#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "number_big_integer.h"
#include "number_test_support.h"
#include "runtime/number_text/extract_digits.h"
#include "runtime/number_text/number_to_text.h"

namespace {

using number_test::BigInteger;
using number_test::Extended;
using runtime::BitsOf;
using runtime::DigitField;
using runtime::ExtractDigits;

class NumberDigits : public number_test::UnderRuntimeFpuMode {};

// Checks ExtractDigits(x, 18) against the exact binary value of x: the 18 digits D with point
// position P must lie within one unit of the last digit of |x| x 10^(18 - P). A wrong P is
// ten times off, so it can never pass.
::testing::AssertionResult MatchesExactValue(long double x) {
  const DigitField field = ExtractDigits(x, 18);
  const runtime::ExtendedBits bits = BitsOf(x);
  if (field.negative != bits.IsNegative()) return ::testing::AssertionFailure() << "sign";
  const std::string digits(field.digits);
  if (digits.size() != 18 || digits[0] == '0')
    return ::testing::AssertionFailure() << "digits " << digits;
  const int e = bits.BiasedExponent() - runtime::kExtendedExponentBias - 63;
  const int t = 18 - field.pointPosition;
  // |x| x 10^t = a / b
  BigInteger a(bits.significand);
  BigInteger b(1);
  if (e > 0) a.ShiftLeft(e);
  if (e < 0) b.ShiftLeft(-e);
  if (t > 0) a.MultiplyBy(BigInteger::PowerOfTen(t));
  if (t < 0) b.MultiplyBy(BigInteger::PowerOfTen(-t));
  BigInteger d(std::stoull(digits));
  d.MultiplyBy(b);
  if (Compare(Distance(d, a), b) > 0) {
    return ::testing::AssertionFailure()
           << digits << " E" << field.pointPosition << " for bits " << std::hex
           << bits.signAndExponent << ':' << bits.significand;
  }
  return ::testing::AssertionSuccess();
}

std::uint64_t Next(std::uint64_t& state) {
  state = state * 6364136223846793005u + 1442695040888963407u;
  return state ^ (state >> 29);
}

long double RandomNormal(std::uint64_t& state, int lowest, int highest) {
  const std::uint64_t significand = Next(state) | runtime::kExtendedIntegerBit;
  const int e2 = lowest + static_cast<int>(Next(state) % static_cast<unsigned>(highest - lowest));
  const auto sign = static_cast<std::uint16_t>((Next(state) & 1) << 15);
  return Extended(static_cast<std::uint16_t>(sign | (e2 + runtime::kExtendedExponentBias)),
                  significand);
}

// Binary exponents for which 19728/65536, just below log10 2, gives a decimal exponent
// estimate one above floor(e2 x log10 2): values near 2^e2 there lie below 10^estimate.
std::vector<int> OverestimatedExponents() {
  std::vector<int> found;
  const long double log10Of2 = std::log10(2.0L);
  for (int e2 = -16382; e2 < 0; ++e2) {
    const int estimate = (e2 * 19728) >> 16;
    if (estimate > static_cast<int>(std::floor(e2 * log10Of2))) found.push_back(e2);
  }
  return found;
}

std::string DoubleText(long double value) {
  runtime::ErrorSlot slot;
  return std::string(runtime::DoubleToText(slot, value).View());
}

TEST_F(NumberDigits, PowersOfTwoBelowOverestimatedExponentsPrintAtTheirMagnitude) {
  EXPECT_EQ(DoubleText(std::ldexp(1.0L, -681)), "9.96719495109757E-206");
  EXPECT_EQ(DoubleText(-std::ldexp(1.0L, -1558)), "-9.89160477449481E-470");
  EXPECT_EQ(DoubleText(std::ldexp(1.0L, -16374)), "8.60698404636696E-4930");

  const std::vector<int> exponents = OverestimatedExponents();
  EXPECT_GT(exponents.size(), 600u);
  EXPECT_EQ(exponents.back(), -681);
  for (std::size_t i = 0; i < exponents.size(); i += exponents.size() / 60) {
    const int e2 = exponents[i];
    const auto biased = static_cast<std::uint16_t>(e2 + runtime::kExtendedExponentBias);
    EXPECT_TRUE(MatchesExactValue(Extended(biased, runtime::kExtendedIntegerBit))) << e2;
    EXPECT_TRUE(MatchesExactValue(Extended(biased, runtime::kExtendedIntegerBit | 12345))) << e2;
  }
  for (int e2 : {-681, -877, -1166, -1362, -1558})  // the mildest: near the end of the list
    EXPECT_TRUE(MatchesExactValue(std::ldexp(1.0L, e2))) << e2;
}

TEST_F(NumberDigits, RandomValuesOfEveryMagnitudeMatchTheirExactValue) {
  std::uint64_t state = 7;
  for (int i = 0; i < 400; ++i) {
    const long double x = RandomNormal(state, -16382, 16384);
    ASSERT_TRUE(MatchesExactValue(x));
  }
}

TEST_F(NumberDigits, RandomValuesOfModerateMagnitudeMatchTheirExactValue) {
  std::uint64_t state = 11;
  for (int i = 0; i < 20000; ++i) {
    const long double x = RandomNormal(state, -400, 400);
    ASSERT_TRUE(MatchesExactValue(x));
  }
}

TEST_F(NumberDigits, WholeNumbersMatchTheirExactValue) {
  std::uint64_t state = 5;
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t whole = Next(state) >> (Next(state) % 64);
    const long double x = static_cast<long double>(whole) * ((whole & 1) != 0 ? -1 : 1);
    if (whole == 0) continue;
    ASSERT_TRUE(MatchesExactValue(x)) << whole;
  }
}

TEST_F(NumberDigits, NeighboursOfPowersOfTenMatchTheirExactValue) {
  for (int m = -60; m <= 60; ++m) {
    const long double p = std::pow(10.0L, m);
    for (long double x : {std::nextafter(p, 0.0L), p, std::nextafter(p, 1e100L)})
      ASSERT_TRUE(MatchesExactValue(x)) << m;
  }
}

TEST_F(NumberDigits, FewerDigitsRoundOnTheFirstDroppedDigitOfTheEighteen) {
  std::uint64_t state = 3;
  for (int i = 0; i < 5000; ++i) {
    const long double x = RandomNormal(state, -200, 200);
    const DigitField all = ExtractDigits(x, 18);
    for (int n = 1; n < 18; ++n) {
      const DigitField field = ExtractDigits(x, n);
      // The n digits are the first n of the eighteen, or those plus one unit (with a carry),
      // and up exactly when the next digit is above 5, or 5 after an odd digit.
      const char next = all.digits[n];
      const bool up = next > '5' || (next == '5' && (all.digits[n - 1] - '0') % 2 == 1);
      const std::uint64_t head = std::stoull(std::string(all.digits, n));
      const std::uint64_t rounded = head + (up ? 1 : 0);
      const std::string expected = std::to_string(rounded);
      const bool carried = expected.size() > static_cast<std::size_t>(n);
      ASSERT_EQ(std::string(field.digits), carried ? expected.substr(0, n) : expected)
          << n << ' ' << all.digits;
      ASSERT_EQ(field.pointPosition, all.pointPosition + (carried ? 1 : 0));
    }
  }
}

}  // namespace
