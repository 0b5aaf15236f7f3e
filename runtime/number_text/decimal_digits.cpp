#include "runtime/number_text/decimal_digits.h"

#include <bit>

namespace runtime {
namespace {

constexpr std::uint64_t kPowersOfTen[20] = {1u,
                                            10u,
                                            100u,
                                            1000u,
                                            10000u,
                                            100000u,
                                            1000000u,
                                            10000000u,
                                            100000000u,
                                            1000000000u,
                                            10000000000u,
                                            100000000000u,
                                            1000000000000u,
                                            10000000000000u,
                                            100000000000000u,
                                            1000000000000000u,
                                            10000000000000000u,
                                            100000000000000000u,
                                            1000000000000000000u,
                                            10000000000000000000u};

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the `count` low decimal digits of v backwards, ending just before `end`.
void WriteDigitsBackwards(std::uint32_t v, int count, char* end) {
  for (; count >= 2; count -= 2, v /= 100) {
    const unsigned pair = v % 100 * 2;
    *--end = kDigitPairs[pair + 1];
    *--end = kDigitPairs[pair];
  }
  if (count == 1) *--end = static_cast<char>('0' + v % 10);
}

}  // namespace

int DecimalLength(std::uint64_t s) {
  const int estimate = std::bit_width(s | 1) * 1233 >> 12;  // 1233/4096 just above log10 2
  return estimate + ((s | 1) >= kPowersOfTen[estimate] ? 1 : 0);
}

// Eight digits at a time in 32-bit arithmetic keeps the chain of divisions short.
int WriteDecimal(std::uint64_t s, char* out) {
  constexpr std::uint32_t kEightDigits = 100000000;
  const int count = DecimalLength(s);
  char* end = out + count;
  for (; s >= kEightDigits; s /= kEightDigits, end -= 8)
    WriteDigitsBackwards(static_cast<std::uint32_t>(s % kEightDigits), 8, end);
  WriteDigitsBackwards(static_cast<std::uint32_t>(s), static_cast<int>(end - out), end);
  return count;
}

}  // namespace runtime
