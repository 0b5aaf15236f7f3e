#pragma once
// Shared by the number conversion tests: every test runs under the runtime's x87 mode, as the
// program does after start-up (Windows starts threads with 53-bit precision).

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/fpu.h"
#include "runtime/number_text/extended_float.h"

namespace number_test {

class UnderRuntimeFpuMode : public ::testing::Test {
 protected:
  void SetUp() override { platform::LoadFpuControlWord(); }
};

inline long double Extended(std::uint16_t signAndExponent, std::uint64_t significand) {
  return runtime::FromBits({significand, signAndExponent});
}

}  // namespace number_test
