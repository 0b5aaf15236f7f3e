#include "fileio/guarded_system_call.h"

#include <gtest/gtest.h>

#include <cfenv>

#include "platform/files.h"
#include "platform/fpu.h"

namespace {

using fileio::GuardedSystemCall;

unsigned SseRoundingBits() {
  std::uint32_t mxcsr = 0;
  asm volatile("stmxcsr %0" : "=m"(mxcsr));
  return (mxcsr >> 13) & 3;
}

TEST(GuardedSystemCall, PassesTheResultThroughAndReportsNoErrorForAQuietCall) {
  platform::SetLastError(ERROR_ACCESS_DENIED);  // stale, from an earlier call
  auto result = GuardedSystemCall([] { return 42; });
  EXPECT_EQ(result.value, 42);
  EXPECT_EQ(result.error, 0);
}

// The last error decides, whatever the call returned.
TEST(GuardedSystemCall, TurnsTheLastErrorIntoARunTimeErrorNumber) {
  const struct {
    DWORD code;
    int error;
  } cases[] = {{ERROR_FILE_NOT_FOUND, 53}, {ERROR_PATH_NOT_FOUND, 76},
               {ERROR_ACCESS_DENIED, 70},  {ERROR_SHARING_VIOLATION, 70},
               {ERROR_DISK_FULL, 61},      {ERROR_ALREADY_EXISTS, 75}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    auto result = GuardedSystemCall([&] {
      platform::SetLastError(c.code);
      return TRUE;
    });
    EXPECT_EQ(result.value, TRUE);
    EXPECT_EQ(result.error, c.error);
  }
}

// No "insert a disk" box during the call; the caller's own mode afterwards.
TEST(GuardedSystemCall, SilencesSystemErrorBoxesOnlyDuringTheCall) {
  constexpr UINT kCallersMode = SEM_NOOPENFILEERRORBOX;
  UINT original = platform::SetErrorMode(kCallersMode);
  auto result = GuardedSystemCall([] {
    UINT inside = platform::SetErrorMode(0);
    platform::SetErrorMode(inside);
    return inside;
  });
  EXPECT_EQ(result.value, 0x8001u);
  EXPECT_EQ(platform::SetErrorMode(original), kCallersMode);
}

// A driver may leave another rounding mode or precision behind: the caller's survive.
TEST(GuardedSystemCall, KeepsTheCallersFloatingPointState) {
  ASSERT_EQ(std::fesetround(FE_UPWARD), 0);
  std::uint16_t callersWord = platform::CurrentFpuControlWord();
  unsigned callersSseRounding = SseRoundingBits();
  auto result = GuardedSystemCall([] {
    std::fesetround(FE_TOWARDZERO);
    std::uint16_t word = 0x027F;  // 53-bit precision, round to nearest
    asm volatile("fldcw %0" : : "m"(word));
    return 0;
  });
  EXPECT_EQ(result.error, 0);
  EXPECT_EQ(std::fegetround(), FE_UPWARD);
  EXPECT_EQ(SseRoundingBits(), callersSseRounding);
  EXPECT_EQ(platform::CurrentFpuControlWord(), callersWord);
  std::fesetround(FE_TONEAREST);
  platform::LoadFpuControlWord();
}

}  // namespace
