#pragma once
// Process-level operations.

#include "platform/win_types.h"

namespace platform {

[[noreturn]] void ExitProcess(unsigned exitCode);

void Sleep(unsigned milliseconds);

DWORD GetCurrentProcessId();
// Milliseconds since the system started, wrapping after 49.7 days.
DWORD GetTickCount();

}  // namespace platform
