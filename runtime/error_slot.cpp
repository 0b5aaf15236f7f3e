#include "runtime/error_slot.h"

#include "platform/process.h"

namespace runtime {
namespace {

constexpr std::uint8_t kRaisedInsideBody = 0xB0;
constexpr int kErrorNumberZeroBecomes = 51;
constexpr unsigned kFatalExitCode = 255;

}  // namespace

void RaiseRuntimeError(ErrorSlot& slot, int number) {
  if (number == 0) number = kErrorNumberZeroBecomes;
  slot.Record(static_cast<std::uint8_t>(number), kRaisedInsideBody);
  if (number >= kFirstFatalError) platform::ExitProcess(kFatalExitCode);
}

}  // namespace runtime
