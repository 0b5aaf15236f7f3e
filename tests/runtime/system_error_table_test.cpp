#include "runtime/system_error_table.h"

#include <gtest/gtest.h>

#include <set>

#include "runtime/error_slot.h"

namespace {

using runtime::SystemErrorTable;

// Compile-time checks of the entries that decide between going on and ending the process.
static_assert(SystemErrorTable(7) == 241 && SystemErrorTable(9) == 241 &&
              SystemErrorTable(10) == 241);
static_assert(SystemErrorTable(8) == 7 && SystemErrorTable(14) == 7);

TEST(SystemErrorTable, TheCodesNamedForTheirOwnRulesMapAsDocumented) {
  struct Case {
    std::uint32_t code;
    std::uint8_t number;
  };
  const Case cases[] = {
      {87, 5},  {112, 61}, {183, 75},  // invalid parameter, disk full, already exists
      {40, 75}, {86, 75},  {88, 75},  {111, 75}, {113, 75}, {0xFFFFFFFF, 75}, {2, 53},
      {18, 53}, {5, 70},   {32, 70},  {33, 70},  {3, 76},   {38, 62},         {39, 61},
      {6, 57},  {11, 51},  {24, 51},  {35, 72},  {37, 75},  // codes no Windows error carries, still
                                                            // in the table
  };
  for (const Case& c : cases) EXPECT_EQ(SystemErrorTable(c.code), c.number) << c.code;
}

TEST(SystemErrorTable, EveryFailureMapsToANumberTheRuntimeDocuments) {
  const std::set<int> known = {5, 7, 51, 53, 57, 61, 62, 67, 68, 70, 71, 72, 74, 75, 76, 241};
  for (std::uint32_t code = 1; code < 1000; ++code) {
    EXPECT_TRUE(known.count(SystemErrorTable(code))) << code;
  }
  EXPECT_EQ(SystemErrorTable(0), 0);  // success never reaches the table
}

TEST(SystemErrorTableDeathTest, CorruptMemoryCodesEndTheProcessWhileOutOfMemoryIsRecorded) {
  for (std::uint32_t code : {7u, 9u, 10u}) {
    EXPECT_EXIT(
        {
          runtime::ErrorSlot slot;
          runtime::RaiseRuntimeError(slot, SystemErrorTable(code));
          std::exit(0);
        },
        ::testing::ExitedWithCode(255), "^$")
        << code;
  }
  for (std::uint32_t code : {8u, 14u}) {
    runtime::ErrorSlot slot;
    runtime::RaiseRuntimeError(slot, SystemErrorTable(code));
    EXPECT_EQ(slot.number(), 7);
  }
}

}  // namespace
