#include "runtime/error_slot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/ole_strings.h"
#include "runtime/expression_stack.h"
#include "runtime/thread_record.h"

namespace {

using runtime::ErrorSlot;
using runtime::ProcedureExtent;
using runtime::RaiseRuntimeError;

TEST(RaiseRuntimeError, RecordsTheNumberWithFlagsB0AndReturns) {
  struct Case {
    int raised;
    std::uint16_t word;
  };
  const Case cases[] = {
      {7, 0xB007},   {70, 0xB046}, {240, 0xB0F0}, {0, 0xB033},  // 0 becomes 51
      {-1, 0xB033},   // not an 8-bit number: 51 as well, never "no error"
      {256, 0xB033},  // would otherwise truncate to 0
  };
  for (const Case& c : cases) {
    ErrorSlot slot;
    RaiseRuntimeError(slot, c.raised);
    EXPECT_EQ(slot.word(), c.word) << c.raised;
  }
}

TEST(RaiseRuntimeError, EachNewErrorReplacesTheLastAndNothingClearsIt) {
  ErrorSlot slot;
  runtime::ExpressionStack stack;
  runtime::DynString variable;
  RaiseRuntimeError(slot, 70);
  stack.PushOwned(runtime::DynString::Copy("ok"));
  stack.AssignTop(slot, variable);  // a step that succeeds
  EXPECT_EQ(slot.number(), 70);
  RaiseRuntimeError(slot, 53);
  EXPECT_EQ(slot.number(), 53);
}

TEST(RaiseRuntimeError, AReturnAddressOutsideTheProceduresBodyLeavesFlags30) {
  const ProcedureExtent extent{0x1000, 0x2000};
  struct Case {
    std::uintptr_t returnAddress;
    std::uint8_t flags;
  };
  const Case cases[] = {
      {0x0FFF, 0x30}, {0x1000, 0xB0}, {0x1800, 0xB0},
      {0x2000, 0xB0}, {0x2001, 0x30}, {0, 0xB0},  // unknown: taken as inside
  };
  for (const Case& c : cases) {
    ErrorSlot slot(extent);
    RaiseRuntimeError(slot, 7, c.returnAddress);
    EXPECT_EQ(slot.flags(), c.flags) << std::hex << c.returnAddress;
    EXPECT_EQ(slot.number(), 7);
  }
  ErrorSlot withoutExtent;
  RaiseRuntimeError(withoutExtent, 7, 0x0FFF);
  EXPECT_EQ(withoutExtent.flags(), 0xB0);
}

TEST(RaiseRuntimeError, RuntimeOperationsPassTheAddressTheyReturnTo) {
  // Same failure, two declared extents: one that holds every address, one that holds none.
  const ProcedureExtent everything{0, UINTPTR_MAX};
  const ProcedureExtent nothing{1, 1};
  for (const ProcedureExtent& extent : {everything, nothing}) {
    ErrorSlot slot(extent);
    runtime::ExpressionStack stack;
    stack.PushOwned(runtime::DynString::Copy("a"));
    stack.PushOwned(runtime::DynString::Copy("b"));
    platform::FailNextStringAllocations(1);
    stack.ConcatTop(slot);
    EXPECT_EQ(slot.number(), 7);
    EXPECT_EQ(slot.flags(), extent.bodyEnd == 1 ? 0x30 : 0xB0);
  }
}

TEST(RaiseRuntimeError, AStatementTableLocatesTheFailingStatementInTheThreadRecord) {
  const runtime::StatementExtent statements[] = {{0x1000, 0x1010}, {0x1010, 0x1040}};
  const ProcedureExtent extent{0x1000, 0x1080, statements, 2};
  struct Case {
    std::uintptr_t returnAddress;
    std::uintptr_t start;  // 0: the location is left as it was
    std::uintptr_t end;
  };
  const Case cases[] = {
      {0x1008, 0x1000, 0x1010}, {0x1010, 0x1000, 0x1010},  // a call ending the first statement
      {0x1011, 0x1010, 0x1040}, {0x1060, 0, 0},            // in the body, in no statement
      {0x2000, 0, 0},                                      // outside the body
  };
  for (const Case& c : cases) {
    runtime::ThreadRecord* record = runtime::CurrentThreadRecord();
    ASSERT_NE(record, nullptr);
    record->errorStatementStart = 0;
    record->errorStatementEnd = 0;
    ErrorSlot slot(extent);
    RaiseRuntimeError(slot, 7, c.returnAddress);
    EXPECT_EQ(record->errorStatementStart, c.start) << std::hex << c.returnAddress;
    EXPECT_EQ(record->errorStatementEnd, c.end) << std::hex << c.returnAddress;
  }
}

TEST(RaiseRuntimeError, CreatesTheThreadRecordAndLeavesTheErrorLocationUnwritten) {
  runtime::ReleaseThreadRecords();
  ErrorSlot slot;
  RaiseRuntimeError(slot, 61);
  runtime::ThreadRecord* record = runtime::CurrentThreadRecord();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->errorStatementStart, 0u);
  EXPECT_EQ(record->errorStatementEnd, 0u);
  EXPECT_EQ(slot.number(), 61);
}

void ReportShutdown() {
  (void)std::fputs("shutdown ran", stderr);
}

// A fatal number ends the process at once with 255: no message, no exit handlers.
TEST(RaiseRuntimeErrorDeathTest, FatalNumbersEndTheProcessWithExitCode255Silently) {
  for (int number : {241, 250, 255}) {
    EXPECT_EXIT(
        {
          (void)std::atexit(ReportShutdown);
          ErrorSlot slot;
          RaiseRuntimeError(slot, number);
          (void)std::fputs("returned", stderr);
          std::exit(0);
        },
        ::testing::ExitedWithCode(255), "^$")
        << number;
  }
}

TEST(RaiseRuntimeErrorDeathTest, NumberTwoFortyReturns) {
  EXPECT_EXIT(
      {
        ErrorSlot slot;
        RaiseRuntimeError(slot, 240);
        std::exit(slot.number() == 240 ? 3 : 4);
      },
      ::testing::ExitedWithCode(3), "");
}

}  // namespace
