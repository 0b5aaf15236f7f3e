#pragma once
// Run-time errors: a failing runtime operation records an 8-bit number in the ErrorSlot of
// the program procedure that called it, and that procedure goes on with its next step.

#include <cstdint>

namespace runtime {

// The 16-bit error word of one running procedure: low byte the last error number, high byte
// the flags (0xB0, or 0x30 when the failed call returned outside the procedure's body).
class ErrorSlot {
 public:
  std::uint16_t word() const { return word_; }
  std::uint8_t number() const { return static_cast<std::uint8_t>(word_ & 0xFF); }
  std::uint8_t flags() const { return static_cast<std::uint8_t>(word_ >> 8); }
  void Record(std::uint8_t number, std::uint8_t flags) {
    word_ = static_cast<std::uint16_t>(flags << 8 | number);
  }

 private:
  std::uint16_t word_ = 0;
};

inline constexpr std::uint8_t kErrorOutOfMemory = 7;
inline constexpr std::uint8_t kFirstFatalError = 241;

// Records `number` (0 becomes 51) in `slot`; a number of 241 or above ends the process with
// exit code 255 and no message instead of returning.
void RaiseRuntimeError(ErrorSlot& slot, int number);

}  // namespace runtime
