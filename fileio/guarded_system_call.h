#pragma once
// Every file-system call goes through GuardedSystemCall: the system shows no error dialog of
// its own, the caller's floating-point state survives the call, and the call's last error
// comes back as a run-time error number (0 when the call reported none) beside the system's own
// code, which tells a brief refusal (a sharing violation) from a lasting one (access denied)
// where both are the same run-time error.

#include <cstdint>

#include "platform/files.h"
#include "platform/win_types.h"
#include "runtime/error_numbers.h"

namespace fileio {

template <typename Result>
struct GuardedResult {
  Result value;        // what the call returned
  std::uint8_t error;  // 0, or the run-time error number of the call's last error
  DWORD code;          // the call's last error as the system reported it
};

// The steps around one call; they hold the system-call lock from Enter to Leave.
void EnterSystemCall();
// The call's last error.
DWORD LeaveSystemCall();
std::uint8_t RuntimeErrorOf(DWORD code);

template <typename Call>
auto GuardedSystemCall(Call call) -> GuardedResult<decltype(call())> {
  EnterSystemCall();
  auto value = call();
  DWORD code = LeaveSystemCall();
  return {value, RuntimeErrorOf(code), code};
}

// A call's result says whether it succeeded; its last error may be left over from the calls it
// made inside, and is read only after a failure.
inline bool Succeeded(BOOL value) {
  return value != FALSE;
}
inline bool Succeeded(HANDLE value) {
  return value != INVALID_HANDLE_VALUE;
}
bool Succeeded(DWORD value) = delete;  // each DWORD call has its own failure value

// 0 for a call that succeeded; else the run-time error of its last error, or 51 when it
// failed without one.
template <typename Result>
int ErrorOf(const GuardedResult<Result>& result) {
  if (Succeeded(result.value)) return 0;
  return result.error != 0 ? result.error : runtime::error::kInternalError;
}

}  // namespace fileio
