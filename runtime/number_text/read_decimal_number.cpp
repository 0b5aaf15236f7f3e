#include "runtime/number_text/read_decimal_number.h"

#include <cstdint>

#include "runtime/number_text/power_of_ten.h"

namespace runtime {
namespace {

constexpr int kMantissaDigits = 18;  // accumulated exactly in 64 bits; the rest truncated
constexpr int kExponentCap = 9999;
constexpr std::int64_t kOverflowPower = 4933;  // 10^4933 is beyond every extended value
constexpr long double kOverflowValue = 170141183460469231731687303715884105728.0L;  // 2^127
constexpr int kLargestFinitePowerOfTen = 4932;

bool IsDigit(int c) {
  return c >= '0' && c <= '9';
}

struct Mantissa {
  std::uint64_t value = 0;
  std::int64_t significantDigits = 0;  // N
  std::int64_t pointPosition = 0;      // P: significant digits before the point
  int digitsRead = 0;                  // every digit, significant or not
};

// Leading zeros are skipped (after the point they move it left); beyond 18 significant
// digits the digits only count.
Mantissa ReadMantissa(TextCursor& cursor) {
  Mantissa m;
  bool afterPoint = false;
  for (;;) {
    const int c = cursor.Peek();
    if (IsDigit(c)) {
      cursor.Advance();
      if (m.digitsRead < INT32_MAX) ++m.digitsRead;
      if (m.significantDigits == 0 && c == '0') {
        if (afterPoint) --m.pointPosition;
        continue;
      }
      if (m.significantDigits < kMantissaDigits) m.value = m.value * 10 + (c - '0');
      ++m.significantDigits;
      if (!afterPoint) ++m.pointPosition;
    } else if (c == '.' && !afterPoint) {
      cursor.Advance();
      afterPoint = true;
    } else {
      return m;
    }
  }
}

// After E, e, D or d: an optional sign and digits, the magnitude held at 9999.
int ReadExponent(TextCursor& cursor) {
  const int letter = cursor.Peek();
  if (letter != 'E' && letter != 'e' && letter != 'D' && letter != 'd') return 0;
  cursor.Advance();
  bool negative = false;
  if (cursor.Accept('-')) {
    negative = true;
  } else {
    cursor.Accept('+');
  }
  int exponent = 0;
  while (IsDigit(cursor.Peek())) {
    exponent = exponent * 10 + (cursor.Peek() - '0');
    if (exponent > kExponentCap) exponent = kExponentCap;
    cursor.Advance();
  }
  return negative ? -exponent : exponent;
}

// mantissa x 10^q with one multiplication or division. Where 10^-q itself would overflow
// (a result just above the smallest normals) the division goes in two steps instead of
// giving 0.
long double Scale(std::uint64_t mantissa, std::int64_t q) {
  // Below 10^18, so the signed conversion (one instruction on x87) is exact.
  const long double m = static_cast<long double>(static_cast<std::int64_t>(mantissa));
  if (q == 0) return m;
  if (q < -kLargestFinitePowerOfTen) return ScaleByPowerOfTen(m, static_cast<int>(q));
  const long double power = ScaleByPowerOfTen(1, static_cast<int>(q < 0 ? -q : q));
  return q < 0 ? m / power : m * power;
}

}  // namespace

long double ReadDecimalNumber(TextCursor& cursor, int& digitsRead) {
  bool negative = false;
  if (cursor.Accept('-')) {
    negative = true;
  } else {
    cursor.Accept('+');
  }
  const Mantissa m = ReadMantissa(cursor);
  digitsRead = m.digitsRead;
  if (m.digitsRead == 0) return negative ? -0.0L : 0.0L;
  const std::int64_t exponent = ReadExponent(cursor);

  long double value = 0;
  const std::int64_t magnitude = m.pointPosition + exponent;
  if (m.significantDigits == 0 || magnitude <= -kOverflowPower) {
    value = 0;
  } else if (magnitude >= kOverflowPower) {
    value = kOverflowValue;
  } else {
    const std::int64_t kept =
        m.significantDigits < kMantissaDigits ? m.significantDigits : kMantissaDigits;
    value = Scale(m.value, magnitude - kept);
  }
  return negative ? -value : value;
}

}  // namespace runtime
