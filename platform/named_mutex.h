#pragma once
// A mutex that programs find by name: several processes writing one file take turns through it.
// The system releases it when its owner ends, and the next waiter is told it was abandoned.

#include "platform/win_types.h"

PLATFORM_WINDOWS_CONSTANT(DWORD, WAIT_OBJECT_0, 0x0)
PLATFORM_WINDOWS_CONSTANT(DWORD, WAIT_ABANDONED, 0x80)
PLATFORM_WINDOWS_CONSTANT(DWORD, WAIT_TIMEOUT, 0x102)
PLATFORM_WINDOWS_CONSTANT(DWORD, WAIT_FAILED, 0xFFFFFFFF)

namespace platform {

// The mutex of that name, made when no process has it open; null on failure. Close it with
// CloseHandle.
HANDLE CreateMutexW(void* security, BOOL initialOwner, const char16_t* name);
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);
BOOL ReleaseMutex(HANDLE mutex);

}  // namespace platform
