#pragma once
// Every file-system call goes through GuardedSystemCall: the system shows no error dialog of
// its own, the caller's floating-point state survives the call, and the call's last error
// comes back as a run-time error number (0 when the call reported none) beside the system's own
// code, which tells a brief refusal (a sharing violation) from a lasting one (access denied)
// where both are the same run-time error.

#include <cstdint>

#include "platform/win_types.h"

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

}  // namespace fileio
