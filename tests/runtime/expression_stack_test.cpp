#include "runtime/expression_stack.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/code_page.h"
#include "runtime/thread_record.h"
#include "string_allocations.h"

namespace {

using runtime::DynString;
using runtime::ErrorSlot;
using runtime::ExpressionStack;
using runtime_test::StringAllocations;

constexpr auto kAnos = runtime::MakeLiteral(" a\xF1os ");
constexpr auto kMeses = runtime::MakeLiteral(" meses ");
constexpr auto kEmpty = runtime::MakeLiteral("");
constexpr auto kDateFormat = runtime::MakeLiteral("dd'/'MM'/'yyyy");

std::uintptr_t AddressOf(const char* text) {
  return reinterpret_cast<std::uintptr_t>(text);
}

// The handle of the top, read by popping it and pushing it back unchanged.
std::uintptr_t TopHandle(ExpressionStack& stack) {
  DynString top = stack.PopTop();
  std::uintptr_t handle = top.handle();
  stack.PushOwned(std::move(top));
  return handle;
}

TEST(ExpressionStack, ConcatWithAnEmptySideKeepsTheOtherSideAsItIsWithoutAllocating) {
  struct Case {
    const char* name;
    void (*pushEmpty)(ExpressionStack&);
    bool emptyFirst;
  };
  const Case cases[] = {
      {"null then literal", [](ExpressionStack& s) { s.PushEmpty(); }, true},
      {"empty literal then literal", [](ExpressionStack& s) { s.PushBorrowed(kEmpty); }, true},
      {"literal then null", [](ExpressionStack& s) { s.PushEmpty(); }, false},
      {"literal then empty literal", [](ExpressionStack& s) { s.PushBorrowed(kEmpty); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpressionStack stack;
    ErrorSlot slot;
    StringAllocations allocations;
    if (c.emptyFirst) c.pushEmpty(stack);
    stack.PushBorrowed(kAnos);
    if (!c.emptyFirst) c.pushEmpty(stack);
    stack.ConcatTop(slot);
    ASSERT_EQ(stack.Depth(), 1u);
    DynString result = stack.PopTop();
    EXPECT_TRUE(result.IsBorrowed());
    EXPECT_EQ(result.handle(), AddressOf(kAnos.data()) | 1u);
    EXPECT_EQ(allocations.Bytes(), 0u);
    EXPECT_EQ(slot.word(), 0);
  }
}

TEST(ExpressionStack, ConcatOfTwoTextsAllocatesExactlyOnceAndFreesOwnedOperands) {
  DynString variable = DynString::Copy("12");
  ExpressionStack stack;
  ErrorSlot slot;
  StringAllocations allocations;
  stack.PushOwned(DynString::Copy("1"));  // one allocation, like a number's text
  stack.PushBorrowed(kAnos);
  stack.ConcatTop(slot);
  stack.PushBorrowed(variable);
  stack.ConcatTop(slot);
  stack.PushBorrowed(kMeses);
  stack.ConcatTop(slot);
  EXPECT_EQ(stack.TopText(), "1 a\xF1os 12 meses ");
  EXPECT_EQ(allocations.Bytes(), 1u + 3u);
  EXPECT_EQ(allocations.Frees(), 3u);  // the number's text and two intermediate results
  EXPECT_EQ(variable.View(), "12");
  EXPECT_EQ(slot.word(), 0);
}

TEST(ExpressionStack, ConcatOutOfMemoryLeavesTheEmptyStringAndRecordsSeven) {
  ExpressionStack stack;
  ErrorSlot slot;
  stack.PushOwned(DynString::Copy("abc"));
  stack.PushOwned(DynString::Copy("def"));
  StringAllocations allocations;
  platform::FailNextStringAllocations(1);
  stack.ConcatTop(slot);
  EXPECT_EQ(stack.Depth(), 1u);
  EXPECT_EQ(stack.TopText(), "");
  EXPECT_EQ(slot.number(), 7);
  EXPECT_EQ(slot.flags(), 0xB0);
  EXPECT_EQ(allocations.Frees(), 2u);  // both owned operands are released
}

TEST(ExpressionStack, AssigningALiteralMakesAnOwnedCopyThatNeverTouchesTheLiteral) {
  DynString variable;
  ExpressionStack stack;
  ErrorSlot slot;
  StringAllocations allocations;
  stack.PushBorrowed(kAnos);
  stack.AssignTop(slot, variable);
  ASSERT_TRUE(variable.IsOwned());
  EXPECT_NE(AddressOf(variable.Text()), AddressOf(kAnos.data()));
  EXPECT_EQ(allocations.Bytes(), 1u);
  variable.MutableText()[1] = 'X';
  EXPECT_EQ(std::string_view(kAnos.data(), kAnos.length), " a\xF1os ");
  EXPECT_EQ(variable.View(), " X\xF1os ");
  EXPECT_EQ(stack.Depth(), 0u);
}

TEST(ExpressionStack, AssigningTheSameLengthReusesTheVariablesStorage) {
  DynString variable = DynString::Copy(" xxxxx ");
  const std::uintptr_t storage = variable.handle();
  ExpressionStack stack;
  ErrorSlot slot;
  StringAllocations allocations;
  stack.PushBorrowed(kMeses);
  stack.AssignTop(slot, variable);
  EXPECT_EQ(variable.handle(), storage);
  EXPECT_EQ(variable.View(), " meses ");
  EXPECT_EQ(allocations.Bytes(), 0u);
  EXPECT_EQ(allocations.Frees(), 0u);
  // A variable assigned its own value keeps it.
  stack.PushBorrowed(variable);
  stack.AssignTop(slot, variable);
  EXPECT_EQ(variable.View(), " meses ");
  EXPECT_EQ(variable.handle(), storage);
}

TEST(ExpressionStack, AssigningAnOwnedValueHandsItOverAndFreesThePreviousString) {
  DynString variable = DynString::Copy("old");
  ExpressionStack stack;
  ErrorSlot slot;
  stack.PushOwned(DynString::Copy("new value"));
  const std::uintptr_t value = TopHandle(stack);
  StringAllocations allocations;
  stack.AssignTop(slot, variable);
  EXPECT_EQ(variable.handle(), value);
  EXPECT_EQ(allocations.Bytes(), 0u);
  EXPECT_EQ(allocations.Frees(), 1u);
}

TEST(ExpressionStack, AssigningTheEmptyStringFreesTheVariableAndLeavesItNull) {
  for (bool literal : {false, true}) {
    DynString variable = DynString::Copy("something");
    ExpressionStack stack;
    ErrorSlot slot;
    StringAllocations allocations;
    if (literal) {
      stack.PushBorrowed(kEmpty);
    } else {
      stack.PushEmpty();
    }
    stack.AssignTop(slot, variable);
    EXPECT_EQ(variable.handle(), 0u);
    EXPECT_EQ(allocations.Bytes(), 0u);
    EXPECT_EQ(allocations.Frees(), 1u);
  }
}

TEST(ExpressionStack, AssignOutOfMemoryLeavesTheVariableNullAndRecordsSeven) {
  DynString variable = DynString::Copy("previous");
  ExpressionStack stack;
  ErrorSlot slot;
  stack.PushBorrowed(kAnos);
  StringAllocations allocations;
  platform::FailNextStringAllocations(1);
  stack.AssignTop(slot, variable);
  EXPECT_EQ(variable.handle(), 0u);
  EXPECT_EQ(allocations.Frees(), 1u);
  EXPECT_EQ(slot.number(), 7);
}

TEST(ExpressionStack, StoreFixedTextKeepsWhatFitsAndAlwaysEndsWithAZero) {
  struct Case {
    std::string text;
    std::uint32_t capacity;
    std::string stored;  // up to and including the zero written
  };
  const std::string long200(200, 'x');
  const Case cases[] = {
      {"dd'/'MM'/'yyyy", 128, std::string("dd'/'MM'/'yyyy\0", 15)},
      {long200, 128, std::string(127, 'x') + '\0'},
      {std::string("ab\0cd", 5), 128, std::string("ab\0", 3)},
      {"abc", 1, std::string(1, '\0')},
      {"abc", 0, std::string("abc\0", 4)},
      {"", 4, std::string(1, '\0')},
  };
  for (const Case& c : cases) {
    ExpressionStack stack;
    char buffer[256];
    std::memset(buffer, '#', sizeof buffer);
    stack.PushBytes(c.text.data(), static_cast<std::int32_t>(c.text.size()));
    StringAllocations allocations;
    stack.StoreFixedText(buffer, c.capacity);
    EXPECT_EQ(std::string(buffer, c.stored.size()), c.stored) << c.text.size();
    EXPECT_EQ(buffer[c.stored.size()], '#') << "wrote past the text";
    EXPECT_EQ(stack.Depth(), 0u);
    EXPECT_EQ(allocations.Frees(), c.text.empty() ? 0u : 1u);
  }
  // The date format from a borrowed literal: nothing to free.
  ExpressionStack stack;
  char format[128];
  stack.PushBorrowed(kDateFormat);
  StringAllocations allocations;
  stack.StoreFixedText(format, sizeof format);
  EXPECT_STREQ(format, "dd'/'MM'/'yyyy");
  EXPECT_EQ(allocations.Frees(), 0u);
}

TEST(ExpressionStack, PushBytesAndMemoryTextCopyOrPushEmpty) {
  const char bytes[] = "abc\0def";
  struct Case {
    const char* name;
    const char* address;
    std::string_view expected;
    std::uint64_t allocations;
    std::int32_t count;
    bool memoryText;
  };
  const Case cases[] = {
      {"bytes", bytes, std::string_view(bytes, 7), 1, 7, false},
      {"bytes, count 0", bytes, "", 0, 0, false},
      {"bytes, negative count", bytes, "", 0, -1, false},
      {"memory text up to the zero", bytes, "abc", 1, -1, true},
      {"memory text, zero first", bytes + 3, "", 0, -5, true},
      {"memory text, counted", bytes, std::string_view(bytes, 5), 1, 5, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpressionStack stack;
    StringAllocations allocations;
    if (c.memoryText) {
      stack.PushMemoryText(c.address, c.count);
    } else {
      stack.PushBytes(c.address, c.count);
    }
    EXPECT_EQ(stack.TopText(), c.expected);
    EXPECT_EQ(allocations.Bytes(), c.allocations);
    DynString top = stack.PopTop();
    EXPECT_EQ(top.IsOwned(), c.allocations != 0);
  }
}

TEST(ExpressionStack, PushBytesOutOfMemoryPushesTheEmptyStringWithoutAnError) {
  ExpressionStack stack;
  platform::FailNextStringAllocations(2);
  stack.PushBytes("abc", 3);
  stack.PushMemoryText("abc", -1);
  EXPECT_EQ(stack.Depth(), 2u);
  EXPECT_EQ(stack.PopTop().handle(), 0u);
  EXPECT_EQ(stack.PopTop().handle(), 0u);
}

class ExpressionStackWidening : public ::testing::Test {
 protected:
  void SetUp() override {
    record_ = runtime::CurrentThreadRecord();
    ASSERT_NE(record_, nullptr);
    saved_ = record_->codePage;
    record_->codePage = platform::kCodePageWestern;
  }
  void TearDown() override { record_->codePage = saved_; }

  runtime::ThreadRecord* record_ = nullptr;
  std::uint32_t saved_ = 0;
};

TEST_F(ExpressionStackWidening, WidenTopConvertsInPlaceAndFreesTheOldOwnedText) {
  ExpressionStack stack;
  stack.PushBorrowed(kAnos);
  stack.PushOwned(DynString::Copy("N\xBA"));
  StringAllocations allocations;
  stack.WidenTop(1);  // the borrowed literal, below the top
  EXPECT_EQ(allocations.Units(), 1u);
  EXPECT_EQ(allocations.Frees(), 0u);
  stack.WidenTop(0);
  EXPECT_EQ(allocations.Frees(), 1u);
  EXPECT_EQ(stack.TopWideText(), u"N\u00BA");
  runtime::WideString top = stack.PopWide();
  EXPECT_EQ(top.Length(), 2u);
  EXPECT_EQ(stack.TopWideText(), u" a\u00F1os ");
  EXPECT_EQ(stack.TopWideText().size(), 6u);
  stack.NarrowTop();
  EXPECT_EQ(stack.TopText(), " a\xF1os ");
}

TEST_F(ExpressionStackWidening, EmptyAndFailedConversionsGiveNullWithoutAnError) {
  ExpressionStack stack;
  StringAllocations allocations;
  stack.PushEmpty();
  stack.WidenTop();
  EXPECT_EQ(allocations.Units(), 0u);
  EXPECT_TRUE(stack.PopWide().IsEmpty());
  stack.PushBorrowed(kAnos);
  platform::FailNextStringAllocations(1);
  stack.WidenTop();
  EXPECT_TRUE(stack.PopWide().IsEmpty());
  stack.PushBorrowed(kAnos);
  stack.WidenTop();
  platform::FailNextStringAllocations(1);
  stack.NarrowTop();
  EXPECT_EQ(stack.PopTop().handle(), 0u);
}

TEST_F(ExpressionStackWidening, EightBitOperationsNarrowAWidenedTemporaryFirst) {
  DynString variable;
  ExpressionStack stack;
  ErrorSlot slot;
  stack.PushBorrowed(kAnos);
  stack.WidenTop();
  stack.PushBorrowed(kMeses);
  stack.WidenTop();
  stack.ConcatTop(slot);
  stack.AssignTop(slot, variable);
  EXPECT_EQ(variable.View(), " a\xF1os  meses ");
  EXPECT_EQ(slot.word(), 0);
}

TEST(ExpressionStack, WhateverIsLeftIsFreedWhenTheProcedureEnds) {
  StringAllocations allocations;
  {
    ExpressionStack stack;
    stack.PushOwned(DynString::Copy("a"));
    stack.PushBorrowed(kAnos);
    stack.PushBytes("bc", 2);
    stack.WidenTop();
  }
  EXPECT_EQ(allocations.Live(), 0u);
}

TEST(ExpressionStack, FreeStringFreesOnlyOwnedStrings) {
  DynString owned = DynString::Copy("x");
  DynString borrowed = DynString::Borrow(kAnos);
  DynString null;
  StringAllocations allocations;
  runtime::FreeString(owned);
  runtime::FreeString(borrowed);
  runtime::FreeString(null);
  EXPECT_EQ(owned.handle(), 0u);
  EXPECT_TRUE(borrowed.IsBorrowed());
  EXPECT_EQ(allocations.Frees(), 1u);
}

TEST(ExpressionStackDeathTest, PoppingAnEmptyStackIsAProgramFault) {
  EXPECT_DEATH(
      {
        ExpressionStack stack;
        stack.PopTop();
      },
      "");
}

}  // namespace
