#include "runtime/dyn_string.h"

#include <gtest/gtest.h>

#include <cstring>

#include "string_allocations.h"

namespace {

using runtime::DynString;

constexpr auto kAnos = runtime::MakeLiteral(" a\xF1os ");

TEST(DynStringCore, LiteralHasTheCountedLayout) {
  std::uint32_t prefix = 0;
  std::memcpy(&prefix, kAnos.text - 4, 4);
  EXPECT_EQ(prefix, 6u);
  EXPECT_EQ(kAnos.text[6], 0);
  EXPECT_EQ(kAnos.text[7], 0);
  EXPECT_EQ(sizeof kAnos % 4, 0u);
}

TEST(DynStringCore, BorrowedLiteralReadsItsBytesAndIsNeverOwned) {
  DynString s = DynString::Borrow(kAnos);
  EXPECT_TRUE(s.IsBorrowed());
  EXPECT_FALSE(s.IsOwned());
  EXPECT_EQ(s.View(), std::string_view(" a\xF1os "));
  EXPECT_EQ(s.MutableText(), nullptr);
}

TEST(DynStringCore, EmptyStringIsNullAndReadsAsZeroLength) {
  DynString empty;
  EXPECT_EQ(empty.handle(), 0u);
  EXPECT_EQ(empty.Length(), 0u);
  EXPECT_EQ(empty.Text()[0], 0);
  EXPECT_EQ(DynString::Copy("").handle(), 0u);
  EXPECT_EQ(DynString::Allocate(0).handle(), 0u);
}

TEST(DynStringCore, OwnedCopyHasLengthPrefixAndWideTerminator) {
  DynString s = DynString::Copy("abc");
  ASSERT_TRUE(s.IsOwned());
  EXPECT_EQ(s.handle() & 1u, 0u);
  EXPECT_EQ(s.Length(), 3u);
  EXPECT_EQ(s.Text()[3], 0);
  EXPECT_EQ(s.Text()[4], 0);
}

TEST(DynStringCore, TheConstantBlocksOwnLiteralsAreCrLfAndEmpty) {
  EXPECT_EQ(DynString::Borrow(runtime::kCrLfLiteral).View(), "\r\n");
  DynString empty = DynString::Borrow(runtime::kEmptyLiteral);
  EXPECT_TRUE(empty.IsBorrowed());
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(empty.Text()[0], 0);
}

TEST(DynStringCore, BorrowingAVariableReadsItsStringAndNeverFreesIt) {
  DynString variable = DynString::Copy("12");
  runtime_test::StringAllocations allocations;
  {
    DynString borrowed = DynString::Borrow(variable);
    EXPECT_TRUE(borrowed.IsBorrowed());
    EXPECT_EQ(borrowed.Text(), variable.Text());
    runtime::FreeString(borrowed);
  }
  EXPECT_EQ(allocations.Frees(), 0u);
  EXPECT_EQ(DynString::Borrow(DynString()).handle(), 0u);  // null stays null
}

TEST(DynStringCore, ATextTooLongForA32BitLengthIsRefusedWithoutReadingIt) {
  if constexpr (sizeof(std::size_t) > sizeof(std::uint32_t)) {
    const char byte = 'x';
    runtime_test::StringAllocations allocations;
    // Only the length is looked at; the bytes beyond the first are never read.
    DynString copy = DynString::Copy(std::string_view(&byte, std::size_t{UINT32_MAX} + 2));
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ(allocations.Bytes(), 0u);
  }
}

}  // namespace
