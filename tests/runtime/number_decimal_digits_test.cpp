#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "runtime/number_text/decimal_digits.h"

namespace {

void ExpectDigits(std::uint64_t s) {
  char buffer[24];
  const int count = runtime::WriteDecimal(s, buffer);
  EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(count)), std::to_string(s));
  EXPECT_EQ(runtime::DecimalLength(s), count) << s;
}

TEST(DecimalDigits, MatchTheStandardLibrary) {
  for (std::uint64_t s = 0; s < 100000; ++s) ExpectDigits(s);
  std::uint64_t power = 1;
  for (int i = 0; i < 20; ++i, power *= 10) {
    ExpectDigits(power - 1);
    ExpectDigits(power);
    ExpectDigits(power + 1);
  }
  ExpectDigits(UINT64_MAX);
  std::uint64_t state = 99;
  for (int i = 0; i < 100000; ++i) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    ExpectDigits(state >> (state % 64));
  }
}

}  // namespace
