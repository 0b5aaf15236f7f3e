#pragma once
// Every file-system call goes through GuardedSystemCall: the system shows no error dialog of
// its own, the caller's floating-point state survives the call, and the call's last error
// comes back as a run-time error number (0 when the call reported none).

#include <cstdint>

namespace fileio {

template <typename Result>
struct GuardedResult {
  Result value;        // what the call returned
  std::uint8_t error;  // 0, or the run-time error number of the call's last error
};

// The steps around one call; they hold the system-call lock from Enter to Leave.
void EnterSystemCall();
std::uint8_t LeaveSystemCall();

template <typename Call>
auto GuardedSystemCall(Call call) -> GuardedResult<decltype(call())> {
  EnterSystemCall();
  auto value = call();
  std::uint8_t error = LeaveSystemCall();
  return {value, error};
}

}  // namespace fileio
