#pragma once
// The characters of a number: plain or exponent notation, chosen for the shortest text.

namespace runtime {

struct NumberLayout {
  char text[32];  // the longest is 27: sign, 18 digits, ".", "E", sign, 4 digits, blank
  int length;
};

// Sign character ("-" or blank), the digits with point or exponent, then one blank.
NumberLayout LayoutNumber(long double value, int n);

}  // namespace runtime
