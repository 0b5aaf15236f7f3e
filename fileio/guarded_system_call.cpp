#include "fileio/guarded_system_call.h"

#include "platform/files.h"
#include "platform/fpu.h"
#include "runtime/busy_wait_lock.h"
#include "runtime/system_error_table.h"

namespace fileio {
namespace {

// No "insert a disk" or "cannot open file" box from the system: the caller reports failures.
constexpr UINT kQuietErrorMode = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;

// Process-wide, guarded by the lock: the state saved around the call in progress.
runtime::BusyWaitLock systemCallLock;
platform::FloatingPointState savedFloatingPoint;
UINT previousErrorMode = 0;

}  // namespace

void EnterSystemCall() {
  systemCallLock.Acquire();
  platform::SaveFloatingPointState(savedFloatingPoint);
  previousErrorMode = platform::SetErrorMode(kQuietErrorMode);
  platform::SetLastError(ERROR_SUCCESS);
}

DWORD LeaveSystemCall() {
  DWORD code = platform::GetLastError();
  platform::SetErrorMode(previousErrorMode);
  // Restored after the last platform call, which loads the runtime's own control word.
  platform::RestoreFloatingPointState(savedFloatingPoint);
  systemCallLock.Release();
  return code;
}

std::uint8_t RuntimeErrorOf(DWORD code) {
  return code == ERROR_SUCCESS ? 0 : runtime::SystemErrorTable(code);
}

}  // namespace fileio
