#include "runtime/extract_digits.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "runtime/extended_float.h"
#include "runtime/power_of_ten.h"

namespace runtime {
namespace {

constexpr int kScaledDigits = 18;  // the leading digit lands at 10^17
constexpr long double kLowerDigitBound = 1e17L;
constexpr long double kTwoTo64 = 18446744073709551616.0L;
constexpr std::uint16_t kInfinityTop16 = 0x8000;
constexpr int kInfinityPointPosition = 999;

DigitField Filled(char digit, int n, int pointPosition, bool negative) {
  DigitField field{};
  for (int i = 0; i < n; ++i) field.digits[i] = digit;
  field.pointPosition = pointPosition;
  field.negative = negative;
  return field;
}

// Rounded to an integer under the current mode (nearest, ties to even), as a 64-bit integer.
// Callers keep `value` below 2^64; anything else (never reached) reads as 0.
std::uint64_t RoundedInteger(long double value) {
  const long double rounded = std::rint(value);
  if (!(rounded >= 0 && rounded < kTwoTo64)) return 0;
  return static_cast<std::uint64_t>(rounded);
}

// floor(e2 x log10 2), estimated as the high half of the 16 x 16-bit product e2 x 0x4D10.
// 19728/65536 lies just below log10 2, so for negative e2 the estimate can be one too high.
int EstimateDecimalExponent(int e2) {
  return (e2 * 19728) >> 16;
}

// The magnitude as a normal value, or 0 for what prints as zero. Unnormals (integer bit
// clear under a non-zero exponent) are read as the number their bits describe.
long double NormalMagnitude(ExtendedBits bits) {
  int exponent = bits.BiasedExponent();
  std::uint64_t significand = bits.significand;
  if (significand == 0) return 0;
  const int shift = std::countl_zero(significand);
  if (exponent - shift <= 0) return 0;  // would be a denormal: prints as zero
  return FromBits({significand << shift, static_cast<std::uint16_t>(exponent - shift)});
}

// The decimal digits of s, most significant first; returns their count.
int WriteDecimal(std::uint64_t s, char* out) {
  char reversed[20];
  int count = 0;
  do {
    reversed[count++] = static_cast<char>('0' + s % 10);
    s /= 10;
  } while (s != 0);
  for (int i = 0; i < count; ++i) out[i] = reversed[count - 1 - i];
  return count;
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
  const ExtendedBits bits = BitsOf(value);
  const int biased = bits.BiasedExponent();
  if (biased == kExtendedExponentMask) {
    if ((bits.significand >> 48) == kInfinityTop16)
      return Filled('9', n, kInfinityPointPosition, bits.IsNegative());
    return Filled('0', n, 1, false);  // NaN
  }
  const long double magnitude = biased == 0 ? 0 : NormalMagnitude(bits);
  if (magnitude == 0) return Filled('0', n, 1, false);

  int k = EstimateDecimalExponent(BitsOf(magnitude).BiasedExponent() - kExtendedExponentBias);
  long double s = std::rint(ScaleByPowerOfTen(magnitude, kScaledDigits - 1 - k));
  if (s < kLowerDigitBound) {  // the estimate was one too high
    --k;
    s = std::rint(ScaleByPowerOfTen(magnitude, kScaledDigits - 1 - k));
  }
  std::uint64_t integer = RoundedInteger(s);
  if (s >= PowerOfTenTable.digitBound) {
    integer = RoundedInteger(s / 10);
    ++k;
    // 10^19 - 5 and above round to 10^18 again: one more exact tenth.
    if (integer >= 1000000000000000000u) {
      integer /= 10;
      ++k;
    }
  }

  char buffer[24];
  const int count = WriteDecimal(integer, buffer);
  buffer[count] = '0';
  buffer[count + 1] = '0';
  DigitField field{};
  for (int i = 0; i <= n; ++i) field.digits[i] = buffer[i];
  if (RoundOnNextDigit(field.digits, n)) ++k;
  field.pointPosition = k + 1;
  field.negative = bits.IsNegative();
  return field;
}

}  // namespace runtime
