#include "runtime/number_text/extract_digits.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "runtime/number_text/decimal_digits.h"
#include "runtime/number_text/extended_float.h"
#include "runtime/number_text/power_of_ten.h"

namespace runtime {
namespace {

constexpr int kScaledDigits = 18;  // the leading digit lands at 10^17
constexpr long double kLowerDigitBound = 1e17L;
constexpr std::uint64_t kEighteenDigitBound = 1000000000000000000u;
constexpr long double kTwoTo64 = 18446744073709551616.0L;
constexpr std::uint16_t kInfinityTop16 = 0x8000;
constexpr int kInfinityPointPosition = 999;

void Fill(DigitField& field, char digit, int n, int pointPosition, bool negative) {
  for (int i = 0; i < n; ++i) field.digits[i] = digit;
  field.digits[n] = 0;
  field.pointPosition = pointPosition;
  field.negative = negative;
}

// Rounded to an integer under the current mode (nearest, ties to even), as a 64-bit integer.
// Callers keep `value` below 2^64; anything else (never reached) reads as 0. The integer is
// read from the significand: a cast would switch the x87 to truncation and back around a
// store it reads again at once, a stall that cost this function half its time, more or less
// depending only on where the linker put the code.
std::uint64_t RoundedInteger(long double value) {
  const long double rounded = std::rint(value);
  if (!(rounded >= 1 && rounded < kTwoTo64)) return 0;
  // A normal value in [1, 2^64): the integer bit stands for 2^e2, 0 <= e2 <= 63, and no bit
  // below 2^0 is set.
  const ExtendedBits bits = BitsOf(rounded);
  const int e2 = bits.BiasedExponent() - kExtendedExponentBias;
  return bits.significand >> (63 - e2);
}

// floor(e2 x log10 2), estimated as the high half of the 16 x 16-bit product e2 x 0x4D10.
// 19728/65536 lies just below log10 2, so for negative e2 the estimate can be one too high.
int EstimateDecimalExponent(int e2) {
  return (e2 * 19728) >> 16;
}

// The magnitude as a normal value, or 0 for what prints as zero. Unnormals (integer bit
// clear under a non-zero exponent) are read as the number their bits describe.
long double NormalMagnitude(ExtendedBits bits) {
  const int exponent = bits.BiasedExponent();
  const std::uint64_t significand = bits.significand;
  if (exponent == 0 || significand == 0) return 0;
  const int shift = std::countl_zero(significand);
  if (exponent - shift <= 0) return 0;  // would be a denormal: prints as zero
  return FromBits({significand << shift, static_cast<std::uint16_t>(exponent - shift)});
}

// A whole number below 10^18 scales to its digit integer exactly (no step rounds), so that
// integer is the number followed by "0"s; false for any other value.
bool WholeNumber(ExtendedBits bits, std::uint64_t& whole) {
  const int e2 = bits.BiasedExponent() - kExtendedExponentBias;
  if (e2 < 0 || e2 > 63 || (bits.significand >> 63) == 0) return false;
  const int fraction = 63 - e2;
  if (fraction != 0 && (bits.significand << (64 - fraction)) != 0) return false;
  whole = bits.significand >> fraction;
  return whole < kEighteenDigitBound;
}

// s = |x| x 10^(17 - k) rounded, k the decimal exponent of |x|, so 10^17 <= s < 10^18.
std::uint64_t ScaledDigitInteger(long double magnitude, int& k) {
  k = EstimateDecimalExponent(BitsOf(magnitude).BiasedExponent() - kExtendedExponentBias);
  long double s = std::rint(ScaleByPowerOfTen(magnitude, kScaledDigits - 1 - k));
  if (s < kLowerDigitBound) {  // the estimate was one too high
    --k;
    s = std::rint(ScaleByPowerOfTen(magnitude, kScaledDigits - 1 - k));
  }
  if (s < PowerOfTenTable.digitBound) return RoundedInteger(s);
  std::uint64_t integer = RoundedInteger(s / 10);
  ++k;
  // 10^19 - 5 and above round to 10^18 again: one more exact tenth.
  if (integer >= kEighteenDigitBound) {
    integer /= 10;
    ++k;
  }
  return integer;
}

// Rounds digits[0..n) on the single character digits[n]: above "5" up, "5" up only onto an
// odd digit. Returns true when the carry left the first digit (now "1", the rest "0").
bool RoundOnNextDigit(char* digits, int n) {
  const char r = digits[n];
  const bool up = r > '5' || (r == '5' && ((digits[n - 1] - '0') & 1) != 0);
  digits[n] = 0;
  if (!up) return false;
  for (int i = n - 1; i >= 0; --i) {
    if (digits[i] != '9') {
      ++digits[i];
      return false;
    }
    digits[i] = '0';
  }
  digits[0] = '1';
  return true;
}

}  // namespace

DigitField ExtractDigits(long double value, int n) {
  if (n < 1 || n > kMaxSignificantDigits) n = kMaxSignificantDigits;
  DigitField field;  // one object for every path, built in place
  const ExtendedBits bits = BitsOf(value);
  if (bits.BiasedExponent() == kExtendedExponentMask) {
    if ((bits.significand >> 48) == kInfinityTop16) {
      Fill(field, '9', n, kInfinityPointPosition, bits.IsNegative());
    } else {
      Fill(field, '0', n, 1, false);  // NaN
    }
    return field;
  }

  // The digit integer's digits, then "0"s up to the n + 1 characters the rounding reads.
  int k = 0;
  int count = 0;
  std::uint64_t whole = 0;
  if (WholeNumber(bits, whole)) {
    count = WriteDecimal(whole, field.digits);
    k = count - 1;
  } else {
    const long double magnitude = NormalMagnitude(bits);
    if (magnitude == 0) {
      Fill(field, '0', n, 1, false);
      return field;
    }
    count = WriteDecimal(ScaledDigitInteger(magnitude, k), field.digits);
  }
  for (int i = count; i <= n; ++i) field.digits[i] = '0';
  if (RoundOnNextDigit(field.digits, n)) ++k;
  field.pointPosition = k + 1;
  field.negative = bits.IsNegative();
  return field;
}

}  // namespace runtime
