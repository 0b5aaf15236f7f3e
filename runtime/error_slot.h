#pragma once
// Run-time errors: a failing runtime operation records an 8-bit number in the ErrorSlot of
// the program procedure that called it, and that procedure goes on with its next step.

#include <cstddef>
#include <cstdint>

#include "runtime/error_numbers.h"

namespace runtime {

// The code of one statement: a call made by it returns to an address in (start, end].
struct StatementExtent {
  std::uintptr_t start = 0;
  std::uintptr_t end = 0;
};

// Where a program procedure's code lies: its first address and the first address of its exit
// code, and optionally its statement table. A procedure that declares it lets
// RaiseRuntimeError tell whether a failed call returned into the procedure's body, and in which
// statement.
struct ProcedureExtent {
  std::uintptr_t start = 0;
  std::uintptr_t bodyEnd = 0;
  const StatementExtent* statements = nullptr;
  std::size_t statementCount = 0;
};

// The 16-bit error word of one running procedure: low byte the last error number, high byte
// the flags (0xB0, or 0x30 when the failed call returned outside the procedure's body).
class ErrorSlot {
 public:
  ErrorSlot() = default;
  explicit ErrorSlot(ProcedureExtent extent) : extent_(extent), hasExtent_(true) {}

  std::uint16_t word() const { return word_; }
  std::uint8_t number() const { return static_cast<std::uint8_t>(word_ & 0xFF); }
  std::uint8_t flags() const { return static_cast<std::uint8_t>(word_ >> 8); }
  void Record(std::uint8_t number, std::uint8_t flags) {
    word_ = static_cast<std::uint16_t>(flags << 8 | number);
  }
  // Whether `returnAddress` lies outside the declared extent (never, without one).
  bool IsOutsideBody(std::uintptr_t returnAddress) const {
    return hasExtent_ && (returnAddress < extent_.start || returnAddress > extent_.bodyEnd);
  }
  // The statement of the declared table that `returnAddress` returns into; null if none.
  const StatementExtent* StatementAt(std::uintptr_t returnAddress) const;

 private:
  std::uint16_t word_ = 0;
  ProcedureExtent extent_;
  bool hasExtent_ = false;
};

inline constexpr std::uint8_t kRaisedInsideBody = 0xB0;
inline constexpr std::uint8_t kRaisedOutsideBody = 0x30;

// Records `number` in `slot` with flags 0xB0, or 0x30 when `returnAddress` (the address the
// failed operation returns to, 0 when unknown) lies outside the slot's procedure extent. A
// number of 0, or one that is not 8-bit, is recorded as error::kInternalError. Creates the thread's
// record if it is missing, and writes the failing statement's extent into it when the procedure
// declares a statement table. A number of error::kFirstFatal or above ends the process with exit
// code 255 at once: no message, no shutdown.
void RaiseRuntimeError(ErrorSlot& slot, int number, std::uintptr_t returnAddress = 0);

// The address the calling function returns to, for RaiseRuntimeError.
#define RUNTIME_RETURN_ADDRESS() \
  reinterpret_cast<std::uintptr_t>(__builtin_extract_return_addr(__builtin_return_address(0)))

}  // namespace runtime
