#include "runtime/error_slot.h"

#include "platform/process.h"
#include "runtime/thread_record.h"

namespace runtime {
namespace {

constexpr unsigned kFatalExitCode = 255;

std::uint8_t RecordedNumber(int number) {
  if (number <= 0 || number > 0xFF) return kErrorInvalidNumber;
  return static_cast<std::uint8_t>(number);
}

}  // namespace

void RaiseRuntimeError(ErrorSlot& slot, int number, std::uintptr_t returnAddress) {
  const std::uint8_t recorded = RecordedNumber(number);
  slot.Record(recorded, kRaisedInsideBody);
  // The record holds the error location; no procedure of this program carries the statement
  // table that would fill it, so it is only made sure to exist.
  CurrentThreadRecord();
  if (returnAddress != 0 && slot.IsOutsideBody(returnAddress)) {
    slot.Record(recorded, kRaisedOutsideBody);
  }
  if (recorded >= kFirstFatalError) platform::ExitProcess(kFatalExitCode);
}

}  // namespace runtime
