#include "runtime/number_text/power_of_ten.h"

#include <bit>
#include <cstdlib>

namespace runtime {
namespace {

// 5^4096 has 9511 bits.
constexpr int kWords = 300;

// Unsigned big integer, little-endian 32-bit words, just enough to form 5^n exactly.
struct BigNatural {
  std::uint32_t words[kWords] = {};
  int used = 1;

  constexpr void MultiplyBy(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < used; ++i) {
      std::uint64_t product = std::uint64_t{words[i]} * factor + carry;
      words[i] = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) words[used++] = static_cast<std::uint32_t>(carry);
  }
  constexpr int BitLength() const { return (used - 1) * 32 + std::bit_width(words[used - 1]); }
  constexpr bool Bit(int index) const {
    return index >= 0 && ((words[index / 32] >> (index % 32)) & 1u) != 0;
  }
  constexpr bool AnyBitBelow(int index) const {
    for (int i = 0; i < index; ++i)
      if (Bit(i)) return true;
    return false;
  }
};

constexpr BigNatural PowerOfFive(int n) {
  constexpr std::uint32_t kFiveToThe13 = 1220703125;  // the largest power of 5 in 32 bits
  BigNatural power;
  power.words[0] = 1;
  for (; n >= 13; n -= 13) power.MultiplyBy(kFiveToThe13);
  for (; n > 0; --n) power.MultiplyBy(5);
  return power;
}

// 2^e exactly, by squaring: every step is a power of two, so nothing rounds.
constexpr long double PowerOfTwo(int e) {
  long double result = 1.0L;
  long double factor = e >= 0 ? 2.0L : 0.5L;
  for (unsigned rest = static_cast<unsigned>(e >= 0 ? e : -e); rest != 0; rest >>= 1) {
    if ((rest & 1u) != 0) result *= factor;
    if (rest > 1) factor *= factor;  // the last square would leave the range
  }
  return result;
}

// 10^n = 5^n x 2^n: the top 64 bits of 5^n rounded to nearest (ties to even), then scaled by
// an exact power of two, so the value is rounded once, from the exact power.
constexpr long double NearestPowerOfTen(int n) {
  const BigNatural five = PowerOfFive(n);
  const int length = five.BitLength();
  std::uint64_t significand = 0;
  for (int i = 0; i < 64; ++i)
    significand = (significand << 1) | (five.Bit(length - 1 - i) ? 1u : 0u);
  int exponent = n + length - 64;  // of the significand's lowest bit
  const bool half = five.Bit(length - 65);
  const bool sticky = five.AnyBitBelow(length - 65);
  if (half && (sticky || (significand & 1u) != 0)) {
    if (++significand == 0) {
      significand = std::uint64_t{1} << 63;
      ++exponent;
    }
  }
  return static_cast<long double>(significand) * PowerOfTwo(exponent);
}

constexpr PowerOfTenTableRecord BuildTable() {
  PowerOfTenTableRecord table{};
  std::uint32_t small = 1;
  for (std::uint32_t& entry : table.small) {
    entry = small;
    small *= 10;
  }
  for (int i = 0; i < 10; ++i) table.large[i] = NearestPowerOfTen(8 << i);
  table.digitBound = 1e18L;
  return table;
}

constexpr int kLargestTablePower = 4096;
// 10^m for 0 < m <= 4096 from the table: the remainder below 8, then one factor per
// set bit of m / 8, lowest first.
long double TablePower(unsigned m) {
  long double p = PowerOfTenTable.small[m % 8];
  unsigned index = 0;
  for (unsigned bits = m / 8; bits != 0; bits >>= 1, ++index)
    if ((bits & 1u) != 0) p *= PowerOfTenTable.large[index];
  return p;
}

}  // namespace

constinit const PowerOfTenTableRecord PowerOfTenTable = BuildTable();

long double ScaleByPowerOfTen(long double v, int m) {
  // One step by 10^4096 serves every exponent of an extended value; more steps happen only
  // for results that overflow or underflow anyway, and keep 10^|m| itself finite (no 0 x inf).
  while (m > kLargestTablePower) {
    v *= PowerOfTenTable.large[9];
    m -= kLargestTablePower;
  }
  while (m < -kLargestTablePower) {
    v /= PowerOfTenTable.large[9];
    m += kLargestTablePower;
  }
  if (m == 0) return v;
  const long double p = TablePower(static_cast<unsigned>(std::abs(m)));
  return m > 0 ? v * p : v / p;
}

}  // namespace runtime
