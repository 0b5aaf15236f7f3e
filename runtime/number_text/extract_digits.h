#pragma once
// The rounded decimal digits of an extended-precision value.

namespace runtime {

inline constexpr int kMaxSignificantDigits = 18;

struct DigitField {
  char digits[kMaxSignificantDigits + 2];  // n digit characters, then zero
  int pointPosition;  // digits before the decimal point; zero or negative below 1
  bool negative;
};

// `n` significant digits, 1 to 18. Zeros, denormals and NaNs give n "0" digits (never
// negative); infinities give n "9" digits at point position 999.
DigitField ExtractDigits(long double value, int n);

}  // namespace runtime
