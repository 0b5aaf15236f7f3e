// The native stand-in's Windows-1252 tables against the system's own conversion, unit by unit.
#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "platform/code_page_1252.h"

namespace {

using platform::kCodePageWestern;

TEST(CodePage1252Tables, EveryByteWidensAsTheSystemWidensIt) {
  for (int b = 0; b < 256; ++b) {
    char byte = static_cast<char>(b);
    char16_t unit = 0;
    ASSERT_EQ(platform::MultiByteToWideChar(kCodePageWestern, MB_PRECOMPOSED, &byte, 1, &unit, 1),
              1);
    EXPECT_EQ(platform::WesternByteToUnit(static_cast<std::uint8_t>(b)), unit) << b;
  }
}

TEST(CodePage1252Tables, EveryUnitNarrowsAsTheSystemNarrowsIt) {
  int mismatches = 0;
  for (int u = 0; u < 0x10000; ++u) {
    char16_t unit = static_cast<char16_t>(u);
    char byte = 0;
    int usedDefault = -1;
    ASSERT_EQ(platform::WideCharToMultiByte(kCodePageWestern, 0, &unit, 1, &byte, 1, nullptr,
                                            &usedDefault),
              1);
    platform::NarrowedUnit ours = platform::WesternUnitToByte(unit);
    if (ours.byte != static_cast<std::uint8_t>(byte) || ours.usedDefault != (usedDefault != 0)) {
      ADD_FAILURE() << "unit " << std::hex << u;
      if (++mismatches > 20) break;
    }
  }
}

// The program converts with CP_ACP; its Spanish texts show right only where that is 1252.
// The test prefix (LC_ALL=C.UTF-8) must keep it so, or the window tests would see other text.
TEST(CodePage1252Tables, TheTestSystemsAnsiCodePageIsWestern) {
  EXPECT_EQ(platform::GetACP(), kCodePageWestern);
}

}  // namespace
