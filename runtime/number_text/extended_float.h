#pragma once
// The bit layout of the 80-bit extended-precision value (long double on x87): a 64-bit
// significand with an explicit integer bit, then 1 sign bit and a 15-bit biased exponent.

#include <cstdint>
#include <cstring>
#include <limits>

namespace runtime {

// Everything below reads and writes that layout: a compiler with another long double is refused.
static_assert(std::numeric_limits<long double>::digits == 64, "a 64-bit significand");
static_assert(std::numeric_limits<long double>::max_exponent == 16384, "a 15-bit exponent");

inline constexpr int kExtendedExponentBias = 16383;
inline constexpr std::uint16_t kExtendedExponentMask = 0x7FFF;
inline constexpr std::uint64_t kExtendedIntegerBit = std::uint64_t{1} << 63;

struct ExtendedBits {
  std::uint64_t significand = 0;
  std::uint16_t signAndExponent = 0;

  int BiasedExponent() const { return signAndExponent & kExtendedExponentMask; }
  bool IsNegative() const { return (signAndExponent >> 15) != 0; }
};

// The ten bytes only: the rest of a long double's storage is padding.
inline constexpr std::size_t kExtendedBytes = 10;

inline ExtendedBits BitsOf(long double value) {
  static_assert(sizeof(long double) >= kExtendedBytes, "long double must be x87 extended");
  unsigned char bytes[sizeof(long double)];
  std::memcpy(bytes, &value, sizeof bytes);
  ExtendedBits bits;
  std::memcpy(&bits.significand, bytes, sizeof bits.significand);
  std::memcpy(&bits.signAndExponent, bytes + 8, sizeof bits.signAndExponent);
  return bits;
}

inline long double FromBits(ExtendedBits bits) {
  unsigned char bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &bits.significand, sizeof bits.significand);
  std::memcpy(bytes + 8, &bits.signAndExponent, sizeof bits.signAndExponent);
  long double value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

}  // namespace runtime
