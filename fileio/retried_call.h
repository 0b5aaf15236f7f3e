#pragma once
// Refusals that pass: virus scanners, indexers, viewers and other writers hold a file for
// milliseconds, so a rename or delete refused with a sharing violation, a lock violation or
// access denied is tried again a few times, after growing delays, before it counts.

#include <array>

#include "fileio/file_system_calls.h"
#include "fileio/guarded_system_call.h"

namespace fileio {

// Waited before each further try, in milliseconds; 71 ms in all.
inline constexpr std::array<unsigned, 5> kRetryDelays = {0, 1, 10, 20, 40};

// A code that may mean another program holds the file for a moment.
bool IsBriefRefusal(DWORD code);

// The system refused the name itself (too long for a limit, not a valid name, or a folder on
// the way missing) rather than the folder's files.
bool RefusesTheName(DWORD code);

// `call` through GuardedSystemCall, tried again after each delay while it fails and `passes`
// says the failure may be a refusal that passes. The delays go through the calls table, so
// tests do not wait.
template <typename Call, typename Passes>
auto RetriedSystemCall(Call call, Passes passes) -> GuardedResult<decltype(call())> {
  auto result = GuardedSystemCall(call);
  for (unsigned delay : kRetryDelays) {
    if (Succeeded(result.value) || !passes(result)) break;
    CurrentFileSystemCalls().sleep(delay);
    result = GuardedSystemCall(call);
  }
  return result;
}

// The same, tried again while the call is briefly refused.
template <typename Call>
auto RetriedSystemCall(Call call) -> GuardedResult<decltype(call())> {
  return RetriedSystemCall(call, [](const auto& result) { return IsBriefRefusal(result.code); });
}

}  // namespace fileio
