#include "platform/fpu.h"

#include <gtest/gtest.h>

namespace {

TEST(Fpu, LoadsTheRuntimeControlWord) {
  platform::LoadFpuControlWord();
  // Bit 6 is reserved and always reads as one; the other bits must be exactly ours.
  constexpr std::uint16_t kReserved = 0x0040;
  EXPECT_EQ(platform::CurrentFpuControlWord() & ~kReserved, 0x133F);
}

TEST(Fpu, ExtendedPrecisionHoldsSixtyFourBitIntegersExactly) {
  platform::LoadFpuControlWord();
  volatile long double big = 18446744073709551615.0L;  // 2^64 - 1
  volatile long double one = 1.0L;
  EXPECT_NE(big - one, big);
}

}  // namespace
