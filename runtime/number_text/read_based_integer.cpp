#include "runtime/number_text/read_based_integer.h"

#include <cstdint>

namespace runtime {
namespace {

struct BasePrefix {
  char letter;
  int bitsPerDigit;  // base 2^bitsPerDigit
};

constexpr BasePrefix kBasePrefixes[] = {
    {'B', 1}, {'b', 1}, {'H', 4}, {'h', 4}, {'O', 3}, {'o', 3}, {'Q', 3}, {'q', 3},
};
constexpr int kOctalBits = 3;  // any other character: octal, and it is the first digit

enum class Suffix : std::uint8_t { kNone, kInteger, kLong, kLongLong, kUnsigned };

int DigitValue(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  return 99;
}

int ReadBaseBits(TextCursor& cursor) {
  for (const BasePrefix& prefix : kBasePrefixes)
    if (cursor.Accept(prefix.letter)) return prefix.bitsPerDigit;
  return kOctalBits;
}

// "%", "&", "&&", "?", "??" or "???"
Suffix ReadSuffix(TextCursor& cursor) {
  if (cursor.Accept('%')) return Suffix::kInteger;
  if (cursor.Accept('&')) return cursor.Accept('&') ? Suffix::kLongLong : Suffix::kLong;
  if (cursor.Accept('?')) {
    if (cursor.Accept('?')) cursor.Accept('?');
    return Suffix::kUnsigned;
  }
  return Suffix::kNone;
}

// Without a suffix that fixes the width, a value that fits 16 (or 32) bits with its top bit
// set reads as a negative 16-bit (or 32-bit) integer, as the digits of a word are written.
long double SignExtended(std::uint64_t bits, Suffix suffix, bool leadingZero) {
  if (suffix == Suffix::kUnsigned) return (bits >> 63) != 0 ? 0 : static_cast<long double>(bits);
  const auto asSigned = [](std::uint64_t value) {
    return static_cast<long double>(static_cast<std::int64_t>(value));
  };
  if (leadingZero || (bits >> 32) != 0 || suffix == Suffix::kLongLong) return asSigned(bits);
  if (bits > 0xFFFF) {
    const bool negative32 = (bits & 0x80000000u) != 0;
    return negative32 ? asSigned(bits) - 4294967296.0L : asSigned(bits);
  }
  if (suffix == Suffix::kLong) return asSigned(bits);
  return (bits & 0x8000u) != 0 ? asSigned(bits) - 65536.0L : asSigned(bits);
}

}  // namespace

long double ReadBasedInteger(TextCursor& cursor, int& digitsRead) {
  const int bitsPerDigit = ReadBaseBits(cursor);
  const int base = 1 << bitsPerDigit;
  if (DigitValue(cursor.Peek()) >= base) return 0;
  const bool leadingZero = cursor.Peek() == '0';
  std::uint64_t bits = 0;
  bool lostBits = false;
  for (int digit = DigitValue(cursor.Peek()); digit < base; digit = DigitValue(cursor.Peek())) {
    cursor.Advance();
    if (digitsRead < INT32_MAX) ++digitsRead;
    if ((bits >> (64 - bitsPerDigit)) != 0) lostBits = true;
    bits = bits << bitsPerDigit | static_cast<std::uint64_t>(digit);
  }
  const Suffix suffix = ReadSuffix(cursor);
  if (lostBits) return 0;
  return SignExtended(bits, suffix, leadingZero);
}

}  // namespace runtime
