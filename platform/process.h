#pragma once
// Process-level operations.

namespace platform {

[[noreturn]] void ExitProcess(unsigned exitCode);

void Sleep(unsigned milliseconds);

}  // namespace platform
