#include "runtime/error_slot.h"

#include "platform/process.h"
#include "runtime/thread_record.h"

namespace runtime {
namespace {

std::uint8_t RecordedNumber(int number) {
  if (number <= 0 || number > 0xFF) return error::kInternalError;
  return static_cast<std::uint8_t>(number);
}

}  // namespace

const StatementExtent* ErrorSlot::StatementAt(std::uintptr_t returnAddress) const {
  if (!hasExtent_) return nullptr;
  for (std::size_t i = 0; i < extent_.statementCount; ++i) {
    const StatementExtent& statement = extent_.statements[i];
    if (returnAddress > statement.start && returnAddress <= statement.end) return &statement;
  }
  return nullptr;
}

void RaiseRuntimeError(ErrorSlot& slot, int number, std::uintptr_t returnAddress) {
  const std::uint8_t recorded = RecordedNumber(number);
  slot.Record(recorded, kRaisedInsideBody);
  ThreadRecord* record = CurrentThreadRecord();
  if (returnAddress != 0 && slot.IsOutsideBody(returnAddress)) {
    slot.Record(recorded, kRaisedOutsideBody);
  } else if (const StatementExtent* statement = slot.StatementAt(returnAddress);
             statement != nullptr && record != nullptr) {
    record->errorStatementStart = statement->start;
    record->errorStatementEnd = statement->end;
  }
  if (recorded >= error::kFirstFatal) platform::ExitProcess(error::kFatalExitCode);
}

}  // namespace runtime
