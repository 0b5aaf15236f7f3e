#pragma once
// The expression temporaries of one procedure: a small stack of strings, owned or borrowed.
// Operations pop their operands and push their result; an owned operand is freed when it is
// consumed, a borrowed one dropped. Whatever is left is freed when the stack goes out of scope.
// A temporary may be widened to UTF-16 for a window-system call; it keeps the same layout, and
// an 8-bit operation on it narrows it back first.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/dyn_string.h"
#include "runtime/error_slot.h"
#include "runtime/literal.h"
#include "runtime/wide_string.h"

namespace runtime {

class ExpressionStack {
 public:
  // A procedure's expressions nest no deeper than this; going beyond is a program fault.
  static constexpr std::size_t kCapacity = 8;

  ExpressionStack() = default;
  ExpressionStack(const ExpressionStack&) = delete;
  ExpressionStack& operator=(const ExpressionStack&) = delete;
  ~ExpressionStack();

  template <std::size_t N>
  void PushBorrowed(const Literal<N>& literal) {
    Push(DynString::Borrow(literal).Release(), false);
  }
  // A borrowed reference to the variable's current string.
  void PushBorrowed(const DynString& variable);
  // Such as the string result of a called procedure.
  void PushOwned(DynString value);
  void PushEmpty();
  // A new owned copy of `count` bytes at `address`; empty for a count of 0 or less, or when
  // memory ran out (no error).
  void PushBytes(const void* address, std::int32_t count);
  // The same; a negative count copies up to, not including, the first zero byte.
  void PushMemoryText(const void* address, std::int32_t count);

  // Pops B and A, pushes A followed by B. Out of memory pushes the empty string, error 7.
  void ConcatTop(ErrorSlot& slot);
  // Pops the top into a string variable. Out of memory leaves it null, error 7.
  void AssignTop(ErrorSlot& slot, DynString& variable);
  // Pops the top into `buffer` of `capacity` bytes (0: no limit), zero-terminated.
  void StoreFixedText(char* buffer, std::uint32_t capacity);
  // Converts the top (depth 0) or the one below it (depth 1) to UTF-16 with the thread's
  // code page, in place; failure gives the empty string, no error.
  void WidenTop(std::size_t depth = 0);
  // Converts a widened top back to 8-bit, in place; failure gives the empty string.
  void NarrowTop();

  std::size_t Depth() const { return depth_; }
  // The top as 8-bit text, and as UTF-16 once widened.
  std::string_view TopText() const;
  std::u16string_view TopWideText() const;
  // Hands the top over, popping it (a borrowed top stays borrowed).
  DynString PopTop();
  WideString PopWide();

 private:
  struct Temporary {
    std::uintptr_t handle = 0;  // as a DynString handle; even when owned
    bool wide = false;
  };

  void Push(std::uintptr_t handle, bool wide);
  Temporary Pop();
  void EnsureNarrow(std::size_t depth);
  Temporary& At(std::size_t depth);
  const Temporary& At(std::size_t depth) const;

  std::array<Temporary, kCapacity> entries_{};
  std::size_t depth_ = 0;
};

}  // namespace runtime
