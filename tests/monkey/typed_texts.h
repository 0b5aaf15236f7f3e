#pragma once
// Texts a user might type into the number-of-days box, each with the whole number of days the
// calculator should read from it where the monkey knows it.

#include <optional>
#include <random>
#include <string>

namespace monkey {

struct TypedText {
  std::wstring text;
  bool known = false;             // whether `days` says what the box must do
  std::optional<long long> days;  // rounded value; none: beyond the signed 32-bit range
  const char* kind = "";
};

// Common forms with a known reading: integers with blanks, signs and trailing words, halves
// (ties to even), exponents, based integers, empty text, numbers beyond 32 bits.
TypedText CommonText(std::mt19937_64& random);
// Huge digit strings, extreme exponents, based integers at 64 bits and beyond (known readings);
// Windows-1252 punctuation and letters, control characters, digit strings with a point
// somewhere (only invariants are checked for these).
TypedText ExoticText(std::mt19937_64& random);

}  // namespace monkey
